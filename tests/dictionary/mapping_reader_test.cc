#include "dictionary/mapping_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "../support/test_support.h"

namespace {

#ifdef _WIN32
// Windows has no alarm signal: a reading loop that spins hangs the run there
// and is caught by the runs on other systems.
unsigned alarm(unsigned) { return 0; }
#endif

// Rows of varied length so that a lost or repeated read shows.
std::string TableOfSize(size_t size) {
  std::string table;
  for (long row = 0; table.size() < size; ++row)
    table += "Class" + std::to_string(row) + ",P,*,T,P,*,D\n";
  table.resize(size);
  return table;
}

TEST(ReadMappingTable, KeepsEveryByteUpToTheFirstNul) {
  zor_test::ScratchDirectory directory;
  const std::string path = (directory / "table.csv").string();
  std::string late_nul = TableOfSize(70000);
  late_nul[66000] = '\0';
  const std::pair<std::string, std::string> rows[] = {
      {"", ""},
      {"a,b\r\nc,d\r\n", "a,b\r\nc,d\r\n"},
      {"a,b\nlast,row", "a,b\nlast,row"},
      {std::string("ab\0cd\n", 6), "ab"},
      {TableOfSize(65000), TableOfSize(65000)},
      {TableOfSize(65001), TableOfSize(65001)},
      {TableOfSize(69096), TableOfSize(69096)},
      {TableOfSize(70000), TableOfSize(70000)},
      {late_nul, late_nul.substr(0, 66000)},
  };
  for (const auto& [bytes, expected] : rows) {
    zor_test::WriteFile(path, bytes);
    ZORUnicodeString text("stale");  // an empty result must replace it
    EXPECT_TRUE(ReadMappingTable(path.c_str(), text));
    EXPECT_EQ(text.str(), expected) << "table of " << bytes.size() << " bytes";
  }
}

TEST(ReadMappingTable, ADirectoryGivesEmptyTextAndAMissingFileFails) {
  zor_test::ScratchDirectory directory;
  ZORUnicodeString text("stale");
  alarm(20);  // a reading loop that spins ends the test run instead of hanging it
  EXPECT_TRUE(ReadMappingTable(directory.path().string().c_str(), text));
  alarm(0);
  EXPECT_EQ(text.str(), "");
  EXPECT_FALSE(ReadMappingTable((directory / "missing.csv").string().c_str(), text));
}

}  // namespace
