#include "merge/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

std::string Failure(const std::string& path, int error) {
  return "cannot read " + path + ": " + std::strerror(error);
}

}  // namespace

std::string ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Failure(path, errno);
  struct stat status;
  int error = fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
  if (error != 0) {
    close(fd);
    return Failure(path, error);
  }
  if (S_ISREG(status.st_mode)) content.reserve(static_cast<size_t>(status.st_size));
  char buffer[1 << 16];
  for (;;) {
    ssize_t got = read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      close(fd);
      return Failure(path, error);
    }
    if (got == 0) break;
    content.append(buffer, static_cast<size_t>(got));
  }
  close(fd);
  return "";
}
