// Running the built tool as a process over a scratch dictionary root.
#ifndef ZOR_TESTS_E2E_E2E_SUPPORT_H_
#define ZOR_TESTS_E2E_E2E_SUPPORT_H_

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "../support/test_support.h"

namespace e2e {

using zor_test::MaskUuids;
using zor_test::ReadFile;
using zor_test::ReplaceAll;
using zor_test::ScratchDirectory;
using zor_test::WriteFile;

struct ToolRun {
  std::string output;  // standard output, as bytes
  int exit_status = -1;
  long peak_memory_mib = -1;  // the tool's peak resident memory
};

// Runs the tool with `arguments`; ZODODEV_DIRECTORYPATH is set to `root`, or
// unset when `root` is empty.
ToolRun RunTool(const std::vector<std::string>& arguments, const std::optional<std::string>& root);

// The five folders of a dictionary tree below `root`.
void MakeDictionaryFolders(const std::filesystem::path& root);

// The console of a complete run that examines `classes` classes after
// printing `option_lines`.
struct OutputNames {
  std::string report = "out.html", mapping = "out.csv", ddl = "out.xml";
};
std::string CompleteRunConsole(const std::string& root, long classes, const OutputNames& names = {},
                               const std::string& option_lines = "");

}  // namespace e2e

namespace e2e {

// Runs zorvez with `arguments` and returns its exit status; its standard
// output goes to `out` when one is given.
inline int RunZorvez(const std::vector<std::string>& arguments,
                     const std::filesystem::path& out = {}, const std::filesystem::path& err = {}) {
  pid_t child = fork();
  if (child == 0) {
    std::vector<char*> argv{const_cast<char*>(ZORVEZ_PATH)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    if (!out.empty() && !freopen(out.c_str(), "w", stdout)) _exit(126);
    if (!err.empty() && !freopen(err.c_str(), "w", stderr)) _exit(126);
    execv(ZORVEZ_PATH, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace e2e

#endif  // ZOR_TESTS_E2E_E2E_SUPPORT_H_
