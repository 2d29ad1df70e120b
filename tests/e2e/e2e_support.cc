#include "e2e_support.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

namespace e2e {

ToolRun RunTool(const std::vector<std::string>& arguments, const std::optional<std::string>& root) {
  ToolRun run;
  std::filesystem::path capture = MakeScratchDirectory() / "stdout";
  pid_t child = fork();
  if (child == 0) {
    int fd = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    close(fd);
    if (root) {
      setenv("ZODODEV_DIRECTORYPATH", root->c_str(), 1);
    } else {
      unsetenv("ZODODEV_DIRECTORYPATH");
    }
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(ZOR_TOOL_PATH));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(ZOR_TOOL_PATH, argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(child, &status, 0);
  run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.output = ReadFile(capture);
  std::filesystem::remove_all(capture.parent_path());
  return run;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::filesystem::path MakeScratchDirectory() {
  static std::mt19937_64 generator{std::random_device{}()};
  std::filesystem::path directory = std::filesystem::temp_directory_path() /
                                    ("zor-e2e-" + std::to_string(getpid()) + "-" +
                                     std::to_string(generator()));
  std::filesystem::create_directories(directory);
  return directory;
}

std::string MaskUuids(const std::string& text) {
  static const std::regex kUuid("UUID=\"([^\"]*)\"");
  static const std::regex kForm("[0-9A-F]{12}4[0-9A-F]{3}[89AB][0-9A-F]{15}");
  std::set<std::string> seen;
  std::string masked;
  auto last = text.cbegin();
  for (std::sregex_iterator it(text.begin(), text.end(), kUuid), end; it != end; ++it) {
    std::string value = (*it)[1].str();
    if (value.empty()) continue;  // an empty identifier is written as such
    EXPECT_TRUE(std::regex_match(value, kForm)) << "not a version-4 UUID: " << value;
    EXPECT_TRUE(seen.insert(value).second) << "UUID repeated: " << value;
    masked.append(last, text.cbegin() + it->position());
    masked += "UUID=\"<UUID>\"";
    last = text.cbegin() + it->position() + it->length();
  }
  masked.append(last, text.cend());
  return masked;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace e2e
