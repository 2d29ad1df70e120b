// Where a subcommand writes, and how: ordinary output, messages on standard
// error in the `zorvez: file:line: reason` form, and whether colour and a
// progress indication are wanted.
#ifndef ZOR_PLATFORM_CLI_STREAMS_H_
#define ZOR_PLATFORM_CLI_STREAMS_H_

#include <ostream>
#include <string_view>

// Exit statuses shared by every subcommand.
constexpr int kExitClean = 0;     // nothing to report
constexpr int kExitFindings = 1;  // findings, refusals or conflicts
constexpr int kExitTrouble = 2;   // usage error or input that cannot be used

struct CliStreams {
  std::ostream& out;
  std::ostream& err;
  bool colour_out = false;       // standard output is a terminal and NO_COLOR is unset
  bool progress_on_err = false;  // standard error is a terminal
};

// CliStreams over the process's standard output and error, with colour and
// progress decided from the terminal and the environment.
CliStreams ProcessStreams();

// Writes "zorvez: <message>" and a line end to standard error.
void ReportError(CliStreams& io, std::string_view message);

#endif  // ZOR_PLATFORM_CLI_STREAMS_H_
