#ifdef _WIN32

#include <windows.h>

#include <cerrno>

#include "platform/file_problem.h"
#include "platform/mapped_file.h"
#include "platform/wide_text.h"

namespace {

std::string SystemReason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return FileProblemReason(ENOENT);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return FileProblemReason(EACCES);
    default:
      return FileProblemReason(EIO);
  }
}

}  // namespace

MappedFile::~MappedFile() { Close(); }

void MappedFile::Close() {
  if (data_ != nullptr) UnmapViewOfFile(data_);
  data_ = nullptr;
  size_ = 0;
}

std::string MappedFile::Open(const std::string& path, size_t limit) {
  Close();
  const std::wstring wide = WideFromUtf8(path);
  DWORD attributes = GetFileAttributesW(wide.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return FileProblemReason(EISDIR);
  }
  HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return SystemReason(GetLastError());
  std::string problem;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file, &size)) {
    problem = SystemReason(GetLastError());
  } else if (static_cast<unsigned long long>(size.QuadPart) > limit) {
    problem = TooLarge(limit);
  } else if (size.QuadPart > 0) {
    // The view keeps the mapping alive once both handles are closed.
    HANDLE mapping = CreateFileMappingW(file, nullptr, PAGE_READONLY, 0, 0, nullptr);
    void* data = mapping != nullptr ? MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0) : nullptr;
    if (data == nullptr) {
      problem = SystemReason(GetLastError());
    } else {
      data_ = static_cast<const char*>(data);
      size_ = static_cast<size_t>(size.QuadPart);
    }
    if (mapping != nullptr) CloseHandle(mapping);
  }
  CloseHandle(file);
  return problem;
}

#endif  // _WIN32
