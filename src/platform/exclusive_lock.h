// A lock file that says who holds it: taken with the operating system's
// own file lock, so that it is released when its process ends however it
// ends (a kill included) and a lock file left behind blocks no one.
#ifndef ZOR_PLATFORM_EXCLUSIVE_LOCK_H_
#define ZOR_PLATFORM_EXCLUSIVE_LOCK_H_

#include <cstdint>
#include <memory>
#include <string>

class ExclusiveLock {
 public:
  // Takes the lock at `path` (creating the file) and writes `holder` into
  // it. Null when another process holds it, with what that one wrote in
  // `held_by`, or when the file cannot be made, with why in `problem`.
  static std::unique_ptr<ExclusiveLock> Take(const std::string& path, const std::string& holder,
                                             std::string& held_by, std::string& problem);
  // Writes `holder` in place of what the lock file said; false when it
  // cannot (the lock holds all the same).
  bool Rewrite(const std::string& holder);
  // Releases the lock and removes the file.
  ~ExclusiveLock();
  ExclusiveLock(const ExclusiveLock&) = delete;
  ExclusiveLock& operator=(const ExclusiveLock&) = delete;

 private:
  ExclusiveLock(std::string path, intptr_t handle) : path_(std::move(path)), handle_(handle) {}
  std::string path_;
  intptr_t handle_;
};

#endif  // ZOR_PLATFORM_EXCLUSIVE_LOCK_H_
