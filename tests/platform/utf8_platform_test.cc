#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "platform/utf8_command_line.h"
#include "platform/utf8_environment.h"
#include "platform/utf8_files.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/wide_text.h"
#endif

namespace fs = std::filesystem;

namespace {

// Names from the ANSI code pages of western Windows and beyond them: Polish,
// Greek, Japanese, and a character outside the basic plane, which takes
// two UTF-16 units.
const char* const kNames[] = {
    "plain.csv", "Pumpen-Übersicht.xml", "Zoë Wörterbuch", "Łódź.csv", "Ωμέγα",
    "辞書.xml",  "pump 🔧.html",
};

std::string Utf8Text(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

std::string ReadThroughOpenInput(const std::string& path) {
  std::ifstream in;
  if (!OpenInputUtf8(in, path.c_str())) return "<not opened>";
  std::string bytes;
  char buffer[256];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) bytes.append(buffer, in.gcount());
  return bytes;
}

void SetVariable(const char* name, const std::string& value) {
#ifdef _WIN32
  SetEnvironmentVariableW(WideFromUtf8(name).c_str(),
                          value.empty() ? nullptr : WideFromUtf8(value).c_str());
#else
  if (value.empty()) {
    unsetenv(name);
  } else {
    setenv(name, value.c_str(), 1);
  }
#endif
}

// Every helper reaches the same file by its UTF-8 name, and the name the
// file system lists is that name again, so nothing went through a lossy
// code page.
TEST(Utf8Files, OpenTestAndListFilesByTheirUtf8Names) {
  zor_test::ScratchDirectory directory;
  const std::string folder = Utf8Text(directory.path());
  for (const char* name : kNames) {
    const std::string path = folder + "/" + name;
    std::FILE* file = OpenFileUtf8(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << name;
    std::fputs(name, file);
    std::fclose(file);
    EXPECT_EQ(AccessUtf8(path.c_str(), 0), 0) << name;
    EXPECT_EQ(ReadThroughOpenInput(path), name);
    std::ofstream(PathFromUtf8(path.c_str()), std::ios::binary | std::ios::app) << "+";
    EXPECT_EQ(ReadThroughOpenInput(path), std::string(name) + "+");
  }
  std::vector<std::string> listed;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory.path())) {
    listed.push_back(Utf8Text(entry.path().filename()));
  }
  EXPECT_EQ(listed.size(), std::size(kNames));
  for (const char* name : kNames) {
    EXPECT_NE(std::find(listed.begin(), listed.end(), name), listed.end()) << name;
  }

  const std::string missing = folder + "/" + kNames[1] + ".missing";
  EXPECT_EQ(AccessUtf8(missing.c_str(), 0), -1);
  EXPECT_EQ(OpenFileUtf8(missing.c_str(), "rb"), nullptr);
  EXPECT_EQ(ReadThroughOpenInput(missing), "<not opened>");
  // A directory exists and reads as empty, on every system alike.
  EXPECT_EQ(AccessUtf8(folder.c_str(), 0), 0);
  EXPECT_EQ(ReadThroughOpenInput(folder), "");
}

TEST(Utf8GetEnv, ReturnsTheValueAsSetAndEmptyTextWhenUnset) {
  const char* const kVariable = "ZOR_PLATFORM_TEST_VARIABLE";
  // The long value outgrows the first buffer of the Windows lookup.
  for (const std::string& value : {std::string(kNames[2]), std::string("C:\\Users\\") + kNames[3],
                                   zor_test::Repeat(kNames[6], 40), std::string()}) {
    SetVariable(kVariable, value);
    EXPECT_EQ(Utf8GetEnv(kVariable), value);
  }
}

TEST(Utf8CommandLine, HoldsTheProgramsArgumentsNullTerminated) {
  char program[] = "tool", option[] = "-o", name[] = "Prüfbericht";
  char* argv[] = {program, option, name, nullptr};
  Utf8CommandLine command_line(3, argv);
#ifdef _WIN32
  // Read again from the system: the arguments this test program was given.
  ASSERT_EQ(command_line.argc(), __argc);
  for (int i = 0; i < __argc; ++i) EXPECT_STREQ(command_line.argv()[i], __argv[i]);
#else
  ASSERT_EQ(command_line.argc(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(command_line.argv()[i], argv[i]);
#endif
  EXPECT_EQ(command_line.argv()[command_line.argc()], nullptr);
}

}  // namespace
