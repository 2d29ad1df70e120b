// Reading files the way the lexicon does: mapped whole, or a piece at an
// offset that threads may share, under names in any script; and the folder
// of the running program.
#include "platform/mapped_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../support/test_support.h"
#include "platform/executable_folder.h"
#include "platform/file_descriptors.h"
#include "platform/utf8_files.h"

namespace {

std::string Utf8(const std::filesystem::path& path) { return Utf8FromPath(path); }

}  // namespace

TEST(MappedFile, MapsAFileWholeOrSaysWhyNot) {
  zor_test::ScratchDirectory scratch;
  const std::filesystem::path file = scratch.path() / PathFromUtf8("Wörter ✓.txt");
  zor_test::WriteFile(file, "line one\nline two\n");
  zor_test::WriteFile(scratch / "empty", "");
  const struct {
    std::string path;
    std::string problem;
    std::string bytes;
  } cases[] = {
      {Utf8(file), "", "line one\nline two\n"},
      {Utf8(scratch / "empty"), "", ""},
      {Utf8(scratch / "none"), "no such file", ""},
      {Utf8(scratch.path()), "is a directory, not a file", ""},
  };
  for (const auto& c : cases) {
    MappedFile mapped;
    EXPECT_EQ(mapped.Open(c.path, 1 << 20), c.problem) << c.path;
    EXPECT_EQ(mapped.Bytes(), c.bytes) << c.path;
  }
  MappedFile small;
  EXPECT_EQ(small.Open(Utf8(file), 4), "larger than 4 bytes");
  EXPECT_TRUE(small.Bytes().empty());
}

TEST(ReadAt, ReadsAtAnOffsetAndFindsTheEnd) {
  zor_test::ScratchDirectory scratch;
  const std::filesystem::path file = scratch.path() / PathFromUtf8("Łódź.txt");
  zor_test::WriteFile(file, "line one\nline two\n");
  size_t size = 0;
  int fd = OpenForReading(Utf8(file), size);
  ASSERT_GE(fd, 0);
  char buffer[8];
  EXPECT_EQ(ReadAt(fd, 14, buffer, sizeof buffer), 4);
  EXPECT_EQ(std::string(buffer, 4), "two\n");
  EXPECT_EQ(ReadAt(fd, 5, buffer, 3), 3);  // the position of the last read does not matter
  EXPECT_EQ(std::string(buffer, 3), "one");
  EXPECT_EQ(ReadAt(fd, size, buffer, sizeof buffer), 0);
  CloseFile(fd);
}

TEST(ExecutableFolder, IsTheFolderOfTheRunningTests) {
  const std::filesystem::path folder = PathFromUtf8(ExecutableFolder().c_str());
  EXPECT_TRUE(std::filesystem::exists(folder / "unit_tests") ||
              std::filesystem::exists(folder / "unit_tests.exe"))
      << ExecutableFolder();
}
