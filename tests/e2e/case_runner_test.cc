// Runs every dictionary tree under tests/data/cases and compares the console
// and every file the run writes with the case's expected files.
//
// A case folder holds:
//   args            the command-line arguments, one per line
//   tree/           copied to a scratch folder that becomes ZODODEV_DIRECTORYPATH
//   expected/console.txt   standard output, with the scratch root written ROOT
//   expected/files/...     every file the run writes, by its path below the root,
//                          with the scratch root written ROOT and generated
//                          UUIDs written UUID="<UUID>"
// Files of the tree that have no expected counterpart must be left unchanged.
// With ZOR_UPDATE_EXPECTED=1 the expected files are written instead; they
// must then be read through and checked by hand before they are committed.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

fs::path CasesDirectory() { return fs::path(ZOR_TEST_DATA_DIR) / "cases"; }

std::vector<std::string> CaseNames() {
  std::vector<std::string> names;
  if (!fs::is_directory(CasesDirectory())) return names;
  for (const fs::directory_entry& entry : fs::directory_iterator(CasesDirectory())) {
    if (fs::exists(entry.path() / "args")) names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> ReadArguments(const fs::path& file) {
  std::vector<std::string> arguments;
  std::istringstream lines(e2e::ReadFile(file));
  for (std::string line; std::getline(lines, line);) arguments.push_back(line);
  return arguments;
}

bool UpdatingExpectations() {
  const char* value = std::getenv("ZOR_UPDATE_EXPECTED");
  return value != nullptr && std::string(value) == "1";
}

class DictionaryTreeCase : public testing::TestWithParam<std::string> {};

TEST_P(DictionaryTreeCase, ConsoleAndFilesMatchExpected) {
  const fs::path case_dir = CasesDirectory() / GetParam(), expected = case_dir / "expected";
  const bool updating = UpdatingExpectations();
  e2e::ScratchDirectory scratch;
  const fs::path root = scratch.path();
  if (fs::exists(case_dir / "tree")) fs::copy(case_dir / "tree", root, fs::copy_options::recursive);

  e2e::ToolRun run = e2e::RunTool(ReadArguments(case_dir / "args"), root.string());
  EXPECT_EQ(run.exit_status, 0);
  std::string console = e2e::ReplaceAll(run.output, root.string(), "ROOT");
  if (updating) {
    fs::remove_all(expected);
    e2e::WriteFile(expected / "console.txt", console);
  } else {
    EXPECT_EQ(console, e2e::ReadFile(expected / "console.txt"));
  }

  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    const fs::path relative = fs::relative(entry.path(), root);
    const fs::path original = case_dir / "tree" / relative, wanted = expected / "files" / relative;
    std::string actual = e2e::ReadFile(entry.path());
    if (fs::exists(original) && e2e::ReadFile(original) == actual) continue;  // an input, unchanged
    // The report names the source path, which holds the scratch root.
    std::string masked = e2e::ReplaceAll(e2e::MaskUuids(actual), root.string(), "ROOT");
    if (updating) {
      e2e::WriteFile(wanted, masked);
    } else if (fs::exists(wanted)) {
      EXPECT_EQ(masked, e2e::ReadFile(wanted)) << "in " << relative;
    } else {
      ADD_FAILURE() << "unexpected file written: " << relative;
    }
  }
  if (updating || !fs::exists(expected / "files")) return;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(expected / "files")) {
    const fs::path relative = fs::relative(entry.path(), expected / "files");
    EXPECT_TRUE(!entry.is_regular_file() || fs::exists(root / relative))
        << "file not written: " << relative;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, DictionaryTreeCase, testing::ValuesIn(CaseNames()),
                         [](const testing::TestParamInfo<std::string>& info) {
                           std::string name = info.param;
                           std::replace_if(
                               name.begin(), name.end(),
                               [](char c) { return !std::isalnum(static_cast<unsigned char>(c)); },
                               '_');
                           return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(DictionaryTreeCase);

}  // namespace
