// The inputs of `zorvez suggest` and of `zorvez explore --suggest`: one
// comparison run, whose findings and dictionaries make the suggest work.
#ifndef ZOR_CLI_SUGGEST_INPUTS_H_
#define ZOR_CLI_SUGGEST_INPUTS_H_

#include "cli/finding_records.h"
#include "suggestions/suggest_work.h"

// Runs the comparison and fills `work`; kExitClean, or kExitTrouble after
// saying on `io.err` why an input cannot be used.
int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work);

// The same, with every class's findings also handed to `alongside` and the
// comparison's totals left in `totals`: a subcommand that shows the findings
// too compares once.
int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work,
                       FindingSink& alongside, ComparisonTotals& totals);

#endif  // ZOR_CLI_SUGGEST_INPUTS_H_
