// Files the lexicon reads, never more of them than it has room for: a
// file read whole stops at a limit, and a record read by its offset stops
// at its line's end or at a limit, whichever comes first.
#ifndef ZOR_LEXICON_BOUNDED_FILE_H_
#define ZOR_LEXICON_BOUNDED_FILE_H_

#include <cstddef>
#include <cstdint>
#include <string>

// Reads `path` into `content`. Returns an empty text, or why it cannot
// ("no such file", "larger than 4 MiB").
std::string ReadFileUpTo(const std::string& path, size_t limit, std::string& content);

// A file left open for reading lines at byte offsets; threads may share it.
class OffsetFile {
 public:
  OffsetFile() = default;
  ~OffsetFile();
  OffsetFile(const OffsetFile&) = delete;
  OffsetFile& operator=(const OffsetFile&) = delete;

  // Returns an empty text, or why the file cannot be used.
  std::string Open(const std::string& path, uint64_t limit);
  uint64_t Size() const { return size_; }
  const std::string& Path() const { return path_; }

  // Bytes from `offset` on into `buffer`: as read(2), 0 at the end.
  long long ReadAt(uint64_t offset, char* buffer, size_t size) const;
  // The line that starts at `offset`, without its "\n", into `line`; false
  // when it cannot be read or finds no line end within `most` bytes.
  bool ReadLine(uint64_t offset, size_t most, std::string& line) const;

 private:
  int fd_ = -1;
  uint64_t size_ = 0;
  std::string path_;
};

#endif  // ZOR_LEXICON_BOUNDED_FILE_H_
