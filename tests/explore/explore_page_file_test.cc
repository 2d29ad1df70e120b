#include "cli/explore_page_file.h"

#include <gtest/gtest.h>

#include <sstream>

#include "../support/test_support.h"
#include "cli/subcommands.h"

namespace {

namespace fs = std::filesystem;

struct Captured {
  std::ostringstream out, err;
  CliStreams io{out, err};
};

const PageSource kOneClass = [](ExplorePageWriter& writer) {
  writer.Add({{"record", "class"}, {"verdict", "green"}, {"class", {{"label", "Pump"}}}});
  writer.Add({{"record", "summary"}, {"classes", 1}});
  return kExitClean;
};

std::vector<std::string> FilesIn(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

TEST(ExplorePageFile, WritesTheWholePageOrLeavesTheOldOneAlone) {
  zor_test::ScratchDirectory folder;
  const std::string page = (folder / "page.html").string();
  Captured written;
  ASSERT_EQ(WriteExplorePageFile(page, {}, written.io, kOneClass), kExitClean);
  const std::string first = zor_test::ReadFile(page);
  EXPECT_TRUE(first.starts_with("<!DOCTYPE html>") && first.ends_with("</html>\n"));
  EXPECT_EQ(written.err.str(), "");

  // A second page replaces the first.
  const PageSource two_classes = [](ExplorePageWriter& writer) {
    writer.Add({{"record", "class"}, {"verdict", "red"}, {"class", {{"label", "Valve"}}}});
    return kOneClass(writer);
  };
  ASSERT_EQ(WriteExplorePageFile(page, {}, written.io, two_classes), kExitClean);
  const std::string second = zor_test::ReadFile(page);
  EXPECT_NE(second, first);
  EXPECT_NE(second.find("\"Valve\""), std::string::npos);

  // A run whose findings cannot be had, after handing over some records.
  Captured failed;
  const PageSource broken = [](ExplorePageWriter& writer) {
    writer.Add({{"record", "class"}, {"class", {{"label", "Half"}}}});
    return kExitTrouble;
  };
  EXPECT_EQ(WriteExplorePageFile(page, {}, failed.io, broken), kExitTrouble);
  EXPECT_EQ(zor_test::ReadFile(page), second);
  EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"page.html"});
}

TEST(ExplorePageFile, ReportsAPageThatCannotBeWritten) {
  zor_test::ScratchDirectory folder;
  fs::create_directory(folder / "taken");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {(folder / "missing" / "page.html").string(), ": cannot write: no such file\n"},
      {(folder / "taken").string(), ": is a directory, not a file\n"},
      {(folder.path() / "").string(), ": is a directory, not a file\n"},
  };
  for (const auto& [path, reason] : cases) {
    Captured io;
    EXPECT_EQ(WriteExplorePageFile(path, {}, io.io, kOneClass), kExitTrouble) << path;
    EXPECT_TRUE(io.err.str().starts_with("zorvez: " + path + reason)) << io.err.str();
  }
  EXPECT_EQ(FilesIn(folder.path()), std::vector<std::string>{"taken"});
}

TEST(ExploreCommand, RefusesIncompleteCommandLines) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"a.xml", "b.xml", "m.csv"}, "missing -o PAGE.html"},
      {{"-o", "p.html", "a.xml", "b.xml"}, "missing operands"},
      {{"-o", "p.html", "a", "b", "c", "d"}, "too many operands"},
      {{"--report"}, "option --report needs a value"},
      {{"--v6", "-o", "p.html", "a", "b", "c"}, "unknown option '--v6'"},
  };
  for (const auto& [arguments, message] : cases) {
    Captured io;
    EXPECT_EQ(RunExploreCommand(arguments, io.io), kExitTrouble);
    EXPECT_TRUE(io.err.str().starts_with("zorvez: explore: " + message)) << io.err.str();
  }
  Captured help;
  EXPECT_EQ(RunExploreCommand(std::vector<std::string>{"--help"}, help.io), kExitClean);
  EXPECT_TRUE(help.out.str().starts_with("usage: zorvez explore")) << help.out.str();
}

}  // namespace
