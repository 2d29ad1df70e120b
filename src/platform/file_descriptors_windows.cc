#ifdef _WIN32

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <filesystem>

#include "platform/file_descriptors.h"
#include "platform/wide_text.h"

namespace {

// The errno value of the POSIX call that fails for the same reason.
int ErrnoFromSystemError(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
      return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return EACCES;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      return EEXIST;
    case ERROR_NOT_SAME_DEVICE:
      return EXDEV;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return ENOSPC;
    case ERROR_WRITE_PROTECT:
      return EROFS;
    case ERROR_FILENAME_EXCED_RANGE:
      return ENAMETOOLONG;
    case ERROR_INVALID_NAME:
      return EINVAL;
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_SUPPORTED:
      return EPERM;
    default:
      return EIO;
  }
}

bool SystemCallSucceeded(BOOL result) {
  if (!result) errno = ErrnoFromSystemError(GetLastError());
  return result;
}

DWORD Attributes(const std::string& path) { return GetFileAttributesW(WideFromUtf8(path).c_str()); }

bool IsFolder(const std::string& path) {
  DWORD attributes = Attributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Windows says a path below a file does not exist, where POSIX says that
// the file is no folder.
int ErrnoForMissingPath(const std::string& path) {
  std::filesystem::path folder = std::filesystem::path(WideFromUtf8(path)).parent_path();
  DWORD attributes = GetFileAttributesW(folder.c_str());
  bool below_a_file = !folder.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
                      !(attributes & FILE_ATTRIBUTE_DIRECTORY);
  return below_a_file ? ENOTDIR : ENOENT;
}

bool WriteBytes(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    unsigned int chunk = static_cast<unsigned int>(std::min<size_t>(bytes.size(), INT_MAX));
    int written = _write(fd, bytes.data(), chunk);
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

}  // namespace

int OpenForReading(const std::string& path, size_t& expected_size) {
  expected_size = 0;
  int fd = _wopen(WideFromUtf8(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) {
    // Windows refuses to open a folder at all.
    if (IsFolder(path)) errno = EISDIR;
    return -1;
  }
  struct _stat64 status;
  if (_fstat64(fd, &status) != 0) {
    int error = errno;
    _close(fd);
    errno = error;
    return -1;
  }
  if ((status.st_mode & _S_IFMT) == _S_IFREG) expected_size = static_cast<size_t>(status.st_size);
  return fd;
}

long long ReadSome(int fd, char* buffer, size_t size) {
  return _read(fd, buffer, static_cast<unsigned int>(std::min<size_t>(size, INT_MAX)));
}

// ReadFile at an explicit offset on a handle opened for synchronous use
// reads there without regard to the position other calls left.
long long ReadAt(int fd, unsigned long long offset, char* buffer, size_t size) {
  HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
  if (handle == INVALID_HANDLE_VALUE) {
    errno = EBADF;
    return -1;
  }
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
  at.OffsetHigh = static_cast<DWORD>(offset >> 32);
  DWORD got = 0;
  DWORD wanted = static_cast<DWORD>(std::min<size_t>(size, INT_MAX));
  if (!ReadFile(handle, buffer, wanted, &got, &at)) {
    DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF) return 0;
    errno = ErrnoFromSystemError(error);
    return -1;
  }
  return static_cast<long long>(got);
}

int CreateExclusive(const std::string& path) {
  int fd = _wopen(WideFromUtf8(path).c_str(),
                  _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
  if (fd < 0 && errno == ENOENT) errno = ErrnoForMissingPath(path);
  return fd;
}

// Every write is a system call of its own: the pieces, often single lines,
// are gathered into large blocks first.
bool WriteAll(int fd, std::vector<std::string_view> pieces) {
  constexpr size_t kBlock = 1 << 20;
  std::string block;
  for (std::string_view piece : pieces) {
    if (block.size() + piece.size() > kBlock) {
      if (!WriteBytes(fd, block)) return false;
      block.clear();
    }
    if (piece.size() >= kBlock) {
      if (!WriteBytes(fd, piece)) return false;
    } else {
      block.append(piece);
    }
  }
  return WriteBytes(fd, block);
}

bool FlushAndClose(int fd) {
  bool flushed = _commit(fd) == 0;
  int error = errno;
  bool closed = _close(fd) == 0;
  if (!flushed) errno = error;
  return flushed && closed;
}

void CloseFile(int fd) { _close(fd); }

bool RemoveFile(const std::string& path) { return _wunlink(WideFromUtf8(path).c_str()) == 0; }

// A new file takes the access rights of its folder; copying the read-only
// attribute over would only make the next replacement fail.
// A replaced file takes the folder's permissions; Windows keeps no mode bits.
bool TakeOverPermissions(int, const std::string&) { return true; }

int ProbeWritable(const std::string& path) {
  DWORD attributes = Attributes(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    int error = ErrnoFromSystemError(GetLastError());
    return error == ENOENT ? 0 : error;
  }
  return (attributes & FILE_ATTRIBUTE_READONLY) != 0 ? EACCES : 0;
}

int ProbePath(const std::string& path) {
  if (Attributes(path) != INVALID_FILE_ATTRIBUTES) return 0;
  return ErrnoFromSystemError(GetLastError());
}

bool AddHardLink(const std::string& existing, const std::string& new_name) {
  return SystemCallSucceeded(
      CreateHardLinkW(WideFromUtf8(new_name).c_str(), WideFromUtf8(existing).c_str(), nullptr));
}

bool ReplaceByRename(const std::string& from, const std::string& to) {
  return SystemCallSucceeded(MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                                         MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

// MOVEFILE_WRITE_THROUGH has already made the rename last; Windows cannot
// flush a folder.
void FlushFolderOf(const std::string&) {}

#endif  // _WIN32
