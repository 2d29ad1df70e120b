// The command-line conventions every zorvez subcommand shares: long options
// as `--name value` or `--name=value`, short options as `-x value`, flags
// without values, and `--` ending the options so that a file name may start
// with a dash.
#ifndef ZOR_CLI_OPTION_PARSER_H_
#define ZOR_CLI_OPTION_PARSER_H_

#include <map>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct OptionRule {
  std::string_view long_name;  // without the leading "--"
  char short_name = '\0';      // '\0' when the option has no short form
  bool takes_value = false;
};

// A command line that breaks the conventions; the message says how, in
// words fit for standard error.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class ParsedArguments {
 public:
  bool Has(std::string_view long_name) const;
  // The value given last, or `fallback` when the option was not given.
  std::string Value(std::string_view long_name, std::string_view fallback = "") const;
  const std::vector<std::string>& Operands() const { return operands_; }

 private:
  friend ParsedArguments ParseArguments(std::span<const std::string>, std::span<const OptionRule>);
  std::map<std::string, std::string, std::less<>> options_;
  std::vector<std::string> operands_;
};

// Throws UsageError on an unknown option, a missing value or a value given
// to a flag.
ParsedArguments ParseArguments(std::span<const std::string> arguments,
                               std::span<const OptionRule> rules);

// Throws UsageError unless there are exactly `count` operands, naming them.
void RequireOperands(const ParsedArguments& parsed, size_t count, std::string_view names);

#endif  // ZOR_CLI_OPTION_PARSER_H_
