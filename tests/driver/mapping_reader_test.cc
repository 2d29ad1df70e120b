#include "driver/mapping_reader.h"

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

namespace {

class ReadMappingTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (std::filesystem::temp_directory_path() / "zor_mapping_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    directory_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(directory_); }

  // Writes `bytes` as the table and reads it back; `text` starts stale so
  // that an empty result is seen to replace it.
  std::string ReadBack(const std::string& bytes) {
    const std::string path = (directory_ / "table.csv").string();
    std::ofstream(path, std::ios::binary) << bytes;
    ZORUnicodeString text("stale");
    EXPECT_TRUE(ReadMappingTable(path.c_str(), text));
    return text.str();
  }

  std::filesystem::path directory_;
};

// Rows of varied length so that a lost or repeated read shows.
std::string TableOfSize(size_t size) {
  std::string table;
  for (long row = 0; table.size() < size; ++row) table += "Class" + std::to_string(row) + ",P,*,T,P,*,D\n";
  table.resize(size);
  return table;
}

TEST_F(ReadMappingTableTest, KeepsEveryByteUpToTheFirstNul) {
  EXPECT_EQ(ReadBack(""), "");
  EXPECT_EQ(ReadBack("a,b\r\nc,d\r\n"), "a,b\r\nc,d\r\n");
  EXPECT_EQ(ReadBack("a,b\nlast,row"), "a,b\nlast,row");
  EXPECT_EQ(ReadBack(std::string("ab\0cd\n", 6)), "ab");
  for (size_t size : {65000u, 65001u, 69096u, 70000u}) {
    const std::string table = TableOfSize(size);
    EXPECT_EQ(ReadBack(table), table) << size;
  }
  std::string late_nul = TableOfSize(70000);
  late_nul[66000] = '\0';
  EXPECT_EQ(ReadBack(late_nul), late_nul.substr(0, 66000));
}

TEST_F(ReadMappingTableTest, ADirectoryGivesEmptyTextAndAMissingFileFails) {
  ZORUnicodeString text("stale");
  alarm(20);  // a reading loop that spins ends the test run instead of hanging it
  EXPECT_TRUE(ReadMappingTable(directory_.c_str(), text));
  alarm(0);
  EXPECT_EQ(text.str(), "");
  EXPECT_FALSE(ReadMappingTable((directory_ / "missing.csv").c_str(), text));
}

}  // namespace
