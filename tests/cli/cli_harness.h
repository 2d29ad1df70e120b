// Runs zorvez in-process with captured output, for the subcommand tests.
#ifndef ZOR_TESTS_CLI_CLI_HARNESS_H_
#define ZOR_TESTS_CLI_CLI_HARNESS_H_

#include <sstream>
#include <string>
#include <vector>

#include "cli/zorvez.h"

namespace zor_test {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

inline CliRun RunCli(const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  CliStreams io{out, err};
  CliRun run;
  run.status = RunZorvez(arguments, io);
  run.out = out.str();
  run.err = err.str();
  return run;
}

}  // namespace zor_test

#endif  // ZOR_TESTS_CLI_CLI_HARNESS_H_
