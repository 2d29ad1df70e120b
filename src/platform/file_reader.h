// Every read of a user's file goes through here: a whole file within a size
// bound, a file in chunks for a streaming parser, a line at a byte offset.
// What goes wrong is a reason in the words of file_problem.h ("no such
// file", "larger than 4 MiB"), so that a file reads alike wherever it is read
// and every message names the file and the reason.
#ifndef ZOR_PLATFORM_FILE_READER_H_
#define ZOR_PLATFORM_FILE_READER_H_

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>

// No bound: for the defined tool alone, which reads any table it is given.
inline constexpr size_t kNoSizeBound = std::numeric_limits<size_t>::max();

struct FileRead {
  std::string bytes;    // the whole file; after a failure, what was read before it
  std::string reason;   // empty when the whole file was read
  int error = 0;        // the errno behind the reason; 0 for a file too large
  bool opened = false;  // a failure came after the file was opened

  bool ok() const { return reason.empty(); }
};

// Reads `path` whole. A file larger than `limit` is refused (a file that
// grows past it while being read, too) with nothing kept; a folder is
// refused with EISDIR. `spare` bytes of room are left after the content for
// a caller that appends (the table gets the line end the run appends).
FileRead ReadFile(const std::string& path, size_t limit, size_t spare = 0);

// "PATH: reason", for a read that failed.
std::string ReadProblem(const std::string& path, const FileRead& read);

// A file read front to back in chunks, for a parser that streams.
class FileChunks {
 public:
  FileChunks() = default;
  ~FileChunks();
  FileChunks(const FileChunks&) = delete;
  FileChunks& operator=(const FileChunks&) = delete;

  // Returns an empty text, or why the file cannot be read.
  std::string Open(const std::string& path);
  // Bytes read into `buffer`, 0 at the end of the file, -1 on failure.
  long long Read(char* buffer, size_t size);

 private:
  int fd_ = -1;
};

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

#endif  // ZOR_PLATFORM_FILE_READER_H_
