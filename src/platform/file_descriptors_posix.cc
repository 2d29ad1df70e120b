#ifndef _WIN32

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/file_descriptors.h"

int OpenForReading(const std::string& path, size_t& expected_size) {
  expected_size = 0;
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  struct stat status;
  int error = fstat(fd, &status) != 0 ? errno : S_ISDIR(status.st_mode) ? EISDIR : 0;
  if (error != 0) {
    close(fd);
    errno = error;
    return -1;
  }
  if (S_ISREG(status.st_mode)) expected_size = static_cast<size_t>(status.st_size);
  return fd;
}

long long ReadSome(int fd, char* buffer, size_t size) {
  for (;;) {
    ssize_t got = read(fd, buffer, size);
    if (got >= 0 || errno != EINTR) return got;
  }
}

long long ReadAt(int fd, unsigned long long offset, char* buffer, size_t size) {
  for (;;) {
    ssize_t got = pread(fd, buffer, size, static_cast<off_t>(offset));
    if (got >= 0 || errno != EINTR) return got;
  }
}

int CreateExclusive(const std::string& path) {
  return open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

// As few system calls as the kernel allows.
bool WriteAll(int fd, std::vector<std::string_view> pieces) {
  size_t next = 0;
  for (;;) {
    while (next < pieces.size() && pieces[next].empty()) ++next;
    if (next == pieces.size()) return true;
    std::vector<iovec> batch;
    for (size_t i = next; i < pieces.size() && batch.size() < IOV_MAX; ++i) {
      batch.push_back({const_cast<char*>(pieces[i].data()), pieces[i].size()});
    }
    ssize_t written = writev(fd, batch.data(), static_cast<int>(batch.size()));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    // Past the pieces written whole; a piece written in part is cut.
    for (size_t left = static_cast<size_t>(written); left > 0; ++next) {
      if (left < pieces[next].size()) {
        pieces[next].remove_prefix(left);
        break;
      }
      left -= pieces[next].size();
    }
  }
}

bool FlushAndClose(int fd) {
  bool flushed = fsync(fd) == 0;
  int error = errno;
  bool closed = close(fd) == 0;
  if (!flushed) errno = error;
  return flushed && closed;
}

void CloseFile(int fd) { close(fd); }

bool RemoveFile(const std::string& path) { return unlink(path.c_str()) == 0; }

bool TakeOverPermissions(int fd, const std::string& model) {
  struct stat status, own;
  if (stat(model.c_str(), &status) != 0) return true;  // a new file: nothing to keep
  if (fstat(fd, &own) != 0) return false;
  // The owner first: a change of owner may clear the set-user-ID bits.
  if ((own.st_uid != status.st_uid || own.st_gid != status.st_gid) &&
      fchown(fd, status.st_uid, status.st_gid) != 0) {
    return false;
  }
  return fchmod(fd, status.st_mode & 07777) == 0;
}

int ProbeWritable(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return errno == ENOENT ? 0 : errno;
  // Root may write any file; a mode without a write bit still says the
  // user wants it left alone.
  if ((status.st_mode & 0222) == 0) return EACCES;
  return access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

int ProbePath(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? 0 : errno;
}

bool AddHardLink(const std::string& existing, const std::string& new_name) {
  return link(existing.c_str(), new_name.c_str()) == 0;
}

bool ReplaceByRename(const std::string& from, const std::string& to) {
  return rename(from.c_str(), to.c_str()) == 0;
}

void FlushFolderOf(const std::string& path) {
  std::string folder = std::filesystem::path(path).parent_path().string();
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)fsync(fd);  // some file systems cannot flush a folder; the rename stands anyway
  close(fd);
}

#endif  // _WIN32
