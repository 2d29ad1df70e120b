// A file read through the memory map, read-only: the system brings its
// pages in from the file cache many at a time, where reading it into memory
// of our own takes a fault for every page written (WordNet's index files,
// 6.3 MB, take a third of the faults so). A file replaced while it is
// mapped (a package upgrade renames a new one into place) stays as it was;
// one cut short in place while mapped is beyond what the program can guard.
#ifndef ZOR_PLATFORM_MAPPED_FILE_H_
#define ZOR_PLATFORM_MAPPED_FILE_H_

#include <cstddef>
#include <string>
#include <string_view>

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the file at the UTF-8 `path`; returns an empty text, or why it
  // cannot be ("no such file", "larger than 64 MiB").
  std::string Open(const std::string& path, size_t limit);
  // The file's bytes; empty for an empty file or before Open succeeds.
  std::string_view Bytes() const { return std::string_view(data_, size_); }

 private:
  void Close();

  const char* data_ = nullptr;
  size_t size_ = 0;
};

#endif  // ZOR_PLATFORM_MAPPED_FILE_H_
