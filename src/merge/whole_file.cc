#include "merge/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
  // Read straight into the text, with room for one more byte: a table gets
  // the line end the run appends.
  size_t expected = S_ISREG(status.st_mode) ? static_cast<size_t>(status.st_size) : 0;
  content.reserve(expected + 1);
  for (size_t used = 0;;) {
    // The byte past the expected size only finds the end of the file.
    if (used == content.size()) content.resize(std::max(expected + 1, 2 * used + (1 << 16)));
    ssize_t got = read(fd, content.data() + used, content.size() - used);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      error = errno;
      close(fd);
      content.clear();
      return Failure(path, error);
    }
    if (got == 0) {
      content.resize(used);
      break;
    }
    used += static_cast<size_t>(got);
  }
  close(fd);
  return "";
}
