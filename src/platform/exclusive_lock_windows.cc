#ifdef _WIN32

#include <windows.h>

#include "platform/exclusive_lock.h"
#include "platform/file_problem.h"
#include "platform/wide_text.h"

namespace {

constexpr DWORD kMostHolderBytes = 4096;

// The lock covers one byte far past the holder's text, which others may
// then still read.
OVERLAPPED LockedRange() {
  OVERLAPPED range{};
  range.Offset = 0;
  range.OffsetHigh = 1;
  return range;
}

std::string ReadHolder(HANDLE file) {
  std::string text(kMostHolderBytes, '\0');
  DWORD got = 0;
  OVERLAPPED start{};
  if (!ReadFile(file, text.data(), kMostHolderBytes, &got, &start)) got = 0;
  text.resize(got);
  return text;
}

std::string Problem(const std::string& path, const char* action) {
  return FileProblem(
      path, std::string(action) + " (Windows error " + std::to_string(GetLastError()) + ")");
}

}  // namespace

std::unique_ptr<ExclusiveLock> ExclusiveLock::Take(const std::string& path,
                                                   const std::string& holder, std::string& held_by,
                                                   std::string& problem) {
  const std::wstring wide = WideFromUtf8(path);
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ | GENERIC_WRITE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    problem = Problem(path, "cannot create the lock file");
    return nullptr;
  }
  OVERLAPPED range = LockedRange();
  if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &range)) {
    if (GetLastError() == ERROR_LOCK_VIOLATION) {
      held_by = ReadHolder(file);
    } else {
      problem = Problem(path, "cannot lock the lock file");
    }
    CloseHandle(file);
    return nullptr;
  }
  std::unique_ptr<ExclusiveLock> lock(new ExclusiveLock(path, reinterpret_cast<intptr_t>(file)));
  if (!lock->Rewrite(holder)) {
    problem = Problem(path, "cannot write the lock file");
    return nullptr;
  }
  return lock;
}

bool ExclusiveLock::Rewrite(const std::string& holder) {
  const HANDLE file = reinterpret_cast<HANDLE>(handle_);
  DWORD written = 0;
  OVERLAPPED start{};
  return SetFilePointer(file, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER &&
         SetEndOfFile(file) &&
         WriteFile(file, holder.data(), static_cast<DWORD>(holder.size()), &written, &start) &&
         written == holder.size();
}

ExclusiveLock::~ExclusiveLock() {
  DeleteFileW(WideFromUtf8(path_).c_str());
  CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

#endif  // _WIN32
