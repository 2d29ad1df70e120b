// Running the built tool as a process and comparing what it leaves behind.
#ifndef ZOR_TESTS_E2E_E2E_SUPPORT_H_
#define ZOR_TESTS_E2E_E2E_SUPPORT_H_

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace e2e {

struct ToolRun {
  std::string output;  // standard output, as bytes
  int exitStatus = -1;
};

// Runs the tool with `arguments`; ZODODEV_DIRECTORYPATH is set to `root`, or
// unset when `root` is empty.
ToolRun RunTool(const std::vector<std::string>& arguments,
                const std::optional<std::string>& root);

std::string ReadFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const std::string& bytes);

// A fresh, empty directory for one test.
std::filesystem::path MakeScratchDirectory();

// Replaces every `UUID="..."` holding a generated identifier by
// `UUID="<UUID>"`; adds a failure for any identifier that is not 32
// upper-case hexadecimal digits of a version-4 UUID, or that repeats.
std::string MaskUuids(const std::string& text);

// Every occurrence of `from` in `text` replaced by `to`.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

}  // namespace e2e

#endif  // ZOR_TESTS_E2E_E2E_SUPPORT_H_
