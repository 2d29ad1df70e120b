#ifndef _WIN32

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/exclusive_lock.h"
#include "platform/file_problem.h"

namespace {

constexpr size_t kMostHolderBytes = 4096;

std::string ReadHolder(int fd) {
  std::string text(kMostHolderBytes, '\0');
  const ssize_t got = pread(fd, text.data(), text.size(), 0);
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

// Whether `fd` is still the file at `path`: its holder removes it when it
// lets go, and a lock taken on the file removed guards nothing.
bool StillThere(int fd, const std::string& path) {
  struct stat open_file, named;
  return fstat(fd, &open_file) == 0 && stat(path.c_str(), &named) == 0 &&
         open_file.st_dev == named.st_dev && open_file.st_ino == named.st_ino;
}

}  // namespace

std::unique_ptr<ExclusiveLock> ExclusiveLock::Take(const std::string& path,
                                                   const std::string& holder, std::string& held_by,
                                                   std::string& problem) {
  for (int attempt = 0; attempt < 8; ++attempt) {
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
      problem = FileProblem(path, "create", errno);
      return nullptr;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
      const int error = errno;
      if (error == EWOULDBLOCK) {
        held_by = ReadHolder(fd);
      } else {
        problem = FileProblem(path, "lock", error);
      }
      close(fd);
      return nullptr;
    }
    if (!StillThere(fd, path)) {
      close(fd);
      continue;
    }
    std::unique_ptr<ExclusiveLock> lock(new ExclusiveLock(path, fd));
    if (!lock->Rewrite(holder)) {
      problem = FileProblem(path, "write", errno);
      return nullptr;
    }
    return lock;
  }
  problem = FileProblem(path, "lock: it keeps being removed");
  return nullptr;
}

bool ExclusiveLock::Rewrite(const std::string& holder) {
  const int fd = static_cast<int>(handle_);
  return ftruncate(fd, 0) == 0 &&
         pwrite(fd, holder.data(), holder.size(), 0) == static_cast<ssize_t>(holder.size());
}

ExclusiveLock::~ExclusiveLock() {
  // Removed while still held, so that a process waiting on it sees that its
  // file is gone and takes a fresh one.
  unlink(path_.c_str());
  close(static_cast<int>(handle_));
}

#endif  // _WIN32
