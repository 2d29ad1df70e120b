// Reading no more than there is room for: a whole file up to a limit, a
// line at an offset up to its end or a limit.
#include "platform/file_reader.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/test_support.h"

TEST(FileReader, ReadsWholeFilesUpToTheirLimit) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteFile(scratch / "fits", std::string(1 << 20, 'x'));
  zor_test::WriteFile(scratch / "over", std::string((1 << 20) + 1, 'x'));
  const struct {
    std::string name;
    size_t limit;
    std::string reason;
    size_t size;
  } cases[] = {
      {"fits", 1 << 20, "", 1 << 20},
      {"fits", kNoSizeBound, "", 1 << 20},
      {"over", 1 << 20, "larger than 1 MiB", 0},
      {"none", 1 << 20, "no such file", 0},
      {"", 1 << 20, "is a directory, not a file", 0},
  };
  for (const auto& c : cases) {
    const std::string path = (scratch / c.name).string();
    FileRead read = ReadFile(path, c.limit, 1);
    EXPECT_EQ(read.reason, c.reason) << c.name;
    EXPECT_EQ(read.bytes.size(), c.size) << c.name;
    EXPECT_EQ(read.ok(), c.reason.empty()) << c.name;
    if (!read.ok()) {
      EXPECT_EQ(ReadProblem(path, read), path + ": " + c.reason);
    }
  }
}

TEST(FileReader, ReadsALineAtAnOffsetUpToItsEndOrALimit) {
  zor_test::ScratchDirectory scratch;
  const std::string long_line(5000, 'y');
  zor_test::WriteFile(scratch / "lines", "first\n" + long_line + "\nno end");
  OffsetFile file;
  ASSERT_EQ(file.Open((scratch / "lines").string(), 1 << 20), "");
  std::string line;
  const struct {
    uint64_t offset;
    size_t most;
    bool read;
    std::string line;
  } cases[] = {
      {0, 100, true, "first"},       {2, 100, true, "rst"},
      {6, 6000, true, long_line},    {6, 4999, false, ""},  // longer than allowed
      {5007, 100, false, ""},                               // the last line has no end
      {file.Size(), 100, false, ""}, {file.Size() + 10, 100, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(file.ReadLine(c.offset, c.most, line), c.read) << c.offset;
    if (c.read) {
      EXPECT_EQ(line, c.line) << c.offset;
    }
  }
}
