#include "platform/utf8_files.h"

#ifdef _WIN32
#include <io.h>

#include "platform/wide_text.h"
#else
#include <unistd.h>
#endif

std::filesystem::path PathFromUtf8(const char* path) {
#ifdef _WIN32
  return std::filesystem::path(WideFromUtf8(path));
#else
  return std::filesystem::path(path);
#endif
}

std::string Utf8FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return Utf8FromWide(path.native());
#else
  return path.native();
#endif
}

std::FILE* OpenFileUtf8(const char* path, const char* mode) {
#ifdef _WIN32
  return _wfopen(WideFromUtf8(path).c_str(), WideFromUtf8(mode).c_str());
#else
  return std::fopen(path, mode);
#endif
}

int AccessUtf8(const char* path, int mode) {
#ifdef _WIN32
  // Windows knows no execute permission and refuses a mode that asks for it.
  return _waccess(WideFromUtf8(path).c_str(), mode & 06) == 0 ? 0 : -1;
#else
  return access(path, mode == 0 ? F_OK : mode) == 0 ? 0 : -1;
#endif
}

bool OpenInputUtf8(std::ifstream& stream, const char* path) {
  stream.open(PathFromUtf8(path), std::ios::binary);
  if (stream.good()) return true;
#ifdef _WIN32
  // Windows refuses to open a directory as a file.
  std::error_code error;
  return std::filesystem::is_directory(PathFromUtf8(path), error);
#else
  return false;
#endif
}
