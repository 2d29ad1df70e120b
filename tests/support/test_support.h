// Files, scratch folders and text edits shared by the unit and end-to-end
// tests. Header-only: both test programs include it by relative path.
#ifndef ZOR_TESTS_SUPPORT_TEST_SUPPORT_H_
#define ZOR_TESTS_SUPPORT_TEST_SUPPORT_H_

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <set>
#include <sstream>
#include <string>

namespace zor_test {

inline std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from.empty()) return text;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

inline std::string Repeat(const std::string& piece, size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// UTF-16 bytes of UTF-8 text whose characters lie in the basic plane; a
// leading "\xEF\xBB\xBF" becomes the byte-order mark.
inline std::string Utf16(const std::string& utf8, bool little_endian = true) {
  std::string bytes;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned lead = static_cast<unsigned char>(utf8[i++]);
    int following = lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    unsigned code = following == 2 ? lead & 0x0F : following == 1 ? lead & 0x1F : lead;
    for (; following > 0; --following) code = (code << 6) | (utf8[i++] & 0x3F);
    const char low = static_cast<char>(code & 0xFF), high = static_cast<char>(code >> 8);
    bytes += little_endian ? std::string{low, high} : std::string{high, low};
  }
  return bytes;
}

// A fresh, empty directory, removed with its content when the object goes.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    static std::mt19937_64 generator{std::random_device{}()};
    path_ = std::filesystem::temp_directory_path() /
            ("zor-test-" + std::to_string(getpid()) + "-" + std::to_string(generator()));
    std::filesystem::create_directories(path_);
  }
  ~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& below) const { return path_ / below; }

 private:
  std::filesystem::path path_;
};

#ifdef ZOR_EXAMPLE_FILES
// Copies the project's own files of the example `name` (v4v5, v5v5) into
// `destination`, which becomes the example's root: never the outputs, backups
// or completed rows a user's runs leave in the checkout's example folder.
inline void CopyExample(const std::string& name, const std::filesystem::path& destination) {
  const std::string files = ZOR_EXAMPLE_FILES;
  const std::string prefix = name + "/";
  for (size_t start = 0; start <= files.size();) {
    size_t end = std::min(files.find(':', start), files.size());
    const std::string file = files.substr(start, end - start);
    start = end + 1;
    if (!file.starts_with(prefix)) continue;
    const std::filesystem::path to = destination / file.substr(prefix.size());
    std::filesystem::create_directories(to.parent_path());
    std::filesystem::copy_file(std::filesystem::path(ZOR_EXAMPLES_DIR) / file, to);
  }
}
#endif

// Replaces every `UUID="..."` holding a generated identifier by
// `UUID="<UUID>"`; adds a failure for any identifier that is not 32
// upper-case hexadecimal digits of a version-4 UUID, or that repeats.
inline std::string MaskUuids(const std::string& text) {
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

}  // namespace zor_test

#endif  // ZOR_TESTS_SUPPORT_TEST_SUPPORT_H_
