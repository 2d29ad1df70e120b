#include "platform/executable_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/utf8_files.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/wide_text.h"
#endif

namespace {

#ifdef _WIN32
// GetModuleFileNameW cuts a long path short without failing: the buffer
// grows until the path fits.
std::filesystem::path ExecutablePath() {
  for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
    std::wstring path(size, L'\0');
    DWORD length = GetModuleFileNameW(nullptr, path.data(), size);
    if (length == 0) return {};
    if (length < size) return std::filesystem::path(path.substr(0, length));
  }
  return {};
}
#else
std::filesystem::path ExecutablePath() {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : path;
}
#endif

}  // namespace

std::string ExecutableFolder() {
  std::filesystem::path path = ExecutablePath();
  if (path.empty()) return "";
  return Utf8FromPath(path.parent_path());
}
