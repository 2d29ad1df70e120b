#ifndef _WIN32

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_problem.h"
#include "platform/mapped_file.h"

MappedFile::~MappedFile() { Close(); }

void MappedFile::Close() {
  if (data_ != nullptr) munmap(const_cast<char*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

std::string MappedFile::Open(const std::string& path, size_t limit) {
  Close();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileProblemReason(errno);
  struct stat status;
  int error = fstat(fd, &status) != 0    ? errno
              : S_ISDIR(status.st_mode)  ? EISDIR
              : !S_ISREG(status.st_mode) ? EINVAL
                                         : 0;
  std::string problem;
  if (error != 0) {
    problem = error == EINVAL ? "not a regular file" : FileProblemReason(error);
  } else if (static_cast<unsigned long long>(status.st_size) > limit) {
    problem = TooLarge(limit);
  } else if (status.st_size > 0) {
    void* data = mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    if (data == MAP_FAILED) {
      problem = FileProblemReason(errno);
    } else {
      data_ = static_cast<const char*>(data);
      size_ = static_cast<size_t>(status.st_size);
    }
  }
  close(fd);
  return problem;
}

#endif  // _WIN32
