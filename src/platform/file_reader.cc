#include "platform/file_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_descriptors.h"
#include "platform/file_problem.h"

namespace {

// Most lines of the lexicon's data files are a few hundred bytes long: the
// first read takes that much, and a longer line is read on in larger steps.
constexpr size_t kFirstLineRead = 1024;
// A file whose size is not known beforehand (a pipe) grows by this much.
constexpr size_t kLeastGrowth = size_t{1} << 16;

FileRead Failed(FileRead read, int error) {
  read.error = error;
  read.reason = FileProblemReason(error);
  return read;
}

FileRead TooLargeRead(size_t limit) {
  FileRead read;
  read.reason = TooLarge(limit);
  return read;
}

}  // namespace

FileRead ReadFile(const std::string& path, size_t limit, size_t spare) {
  FileRead read;
  size_t expected = 0;
  int fd = OpenForReading(path, expected);
  if (fd < 0) return Failed(std::move(read), errno);
  read.opened = true;
  if (expected > limit) {
    CloseFile(fd);
    return TooLargeRead(limit);
  }
  std::string& content = read.bytes;
  // Straight into the text: room for the expected size, the caller's spare
  // bytes, and one byte more that only finds the end of the file (or tells
  // a file that grew past the limit).
  content.reserve(expected + spare + 1);
  content.resize(expected + 1);
  size_t used = 0;
  for (;;) {
    if (used == content.size()) {
      if (used > limit) break;
      content.resize(
          std::min(limit < kNoSizeBound ? limit + 1 : kNoSizeBound, 2 * used + kLeastGrowth));
    }
    long long got = ReadSome(fd, content.data() + used, content.size() - used);
    if (got < 0) {
      int error = errno;
      CloseFile(fd);
      content.resize(used);
      return Failed(std::move(read), error);
    }
    if (got == 0) break;
    used += static_cast<size_t>(got);
  }
  CloseFile(fd);
  if (used > limit) return TooLargeRead(limit);
  content.resize(used);
  return read;
}

std::string ReadProblem(const std::string& path, const FileRead& read) {
  return FileProblem(path, read.reason);
}

FileChunks::~FileChunks() {
  if (fd_ >= 0) CloseFile(fd_);
}

std::string FileChunks::Open(const std::string& path) {
  size_t size = 0;
  fd_ = OpenForReading(path, size);
  return fd_ < 0 ? FileProblemReason(errno) : "";
}

long long FileChunks::Read(char* buffer, size_t size) {
  return fd_ < 0 ? -1 : ReadSome(fd_, buffer, size);
}

OffsetFile::~OffsetFile() {
  if (fd_ >= 0) CloseFile(fd_);
}

std::string OffsetFile::Open(const std::string& path, uint64_t limit) {
  path_ = path;
  size_t size = 0;
  fd_ = OpenForReading(path, size);
  if (fd_ < 0) return FileProblemReason(errno);
  size_ = size;
  return size_ > limit ? TooLarge(limit) : "";
}

long long OffsetFile::ReadAt(uint64_t offset, char* buffer, size_t size) const {
  if (fd_ < 0) return -1;
  return ::ReadAt(fd_, offset, buffer, size);
}

bool OffsetFile::ReadLine(uint64_t offset, size_t most, std::string& line) const {
  line.clear();
  if (fd_ < 0 || offset >= size_) return false;
  for (size_t step = kFirstLineRead; line.size() < most; step *= 4) {
    const size_t before = line.size();
    line.resize(std::min(before + step, most));
    long long got = ReadAt(offset + before, line.data() + before, line.size() - before);
    if (got <= 0) return false;
    line.resize(before + static_cast<size_t>(got));
    const char* end =
        static_cast<const char*>(std::memchr(line.data() + before, '\n', line.size() - before));
    if (end != nullptr) {
      line.resize(static_cast<size_t>(end - line.data()));
      return true;
    }
  }
  return false;
}
