#include "lexicon/bounded_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/file_descriptors.h"
#include "platform/file_problem.h"

namespace {

// Most lines of WordNet's data files are a few hundred bytes long: the
// first read takes that much, and a longer line is read on in larger steps.
constexpr size_t kFirstRead = 1024;

}  // namespace

std::string ReadFileUpTo(const std::string& path, size_t limit, std::string& content) {
  content.clear();
  size_t expected = 0;
  int fd = OpenForReading(path, expected);
  if (fd < 0) return FileProblemReason(errno);
  if (expected > limit) {
    CloseFile(fd);
    return TooLarge(limit);
  }
  // One byte more than the limit tells a file that grew past it.
  content.resize(std::min(expected, limit) + 1);
  size_t used = 0;
  for (;;) {
    if (used == content.size()) {
      if (used > limit) break;
      content.resize(std::min(limit + 1, 2 * used + 4096));
    }
    long long got = ReadSome(fd, content.data() + used, content.size() - used);
    if (got < 0) {
      int error = errno;
      CloseFile(fd);
      content.clear();
      return FileProblemReason(error);
    }
    if (got == 0) break;
    used += static_cast<size_t>(got);
  }
  CloseFile(fd);
  if (used > limit) {
    content.clear();
    return TooLarge(limit);
  }
  content.resize(used);
  return "";
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
  for (size_t step = kFirstRead; line.size() < most; step *= 4) {
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
