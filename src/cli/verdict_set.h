// The verdicts a `--fail-on` list names.
#ifndef ZOR_CLI_VERDICT_SET_H_
#define ZOR_CLI_VERDICT_SET_H_

#include <set>
#include <string>
#include <string_view>

// "red,blue,purple", or "none" for the empty set. Throws UsageError on a
// name that is not a verdict.
std::set<std::string, std::less<>> ParseVerdictList(std::string_view list);

#endif  // ZOR_CLI_VERDICT_SET_H_
