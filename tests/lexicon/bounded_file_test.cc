// Reading no more than the lexicon has room for: a whole file up to a
// limit, a line at an offset up to its end or a limit.
#include "lexicon/bounded_file.h"

#include <gtest/gtest.h>

#include <string>

#include "../support/test_support.h"

TEST(BoundedFile, ReadsWholeFilesUpToTheirLimit) {
  zor_test::ScratchDirectory scratch;
  zor_test::WriteFile(scratch / "fits", std::string(1 << 20, 'x'));
  zor_test::WriteFile(scratch / "over", std::string((1 << 20) + 1, 'x'));
  std::string content;
  EXPECT_EQ(ReadFileUpTo((scratch / "fits").string(), 1 << 20, content), "");
  EXPECT_EQ(content.size(), size_t{1} << 20);
  EXPECT_EQ(ReadFileUpTo((scratch / "over").string(), 1 << 20, content), "larger than 1 MiB");
  EXPECT_TRUE(content.empty());
  EXPECT_EQ(ReadFileUpTo((scratch / "none").string(), 1 << 20, content), "no such file");
}

TEST(BoundedFile, ReadsALineAtAnOffsetUpToItsEndOrALimit) {
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
