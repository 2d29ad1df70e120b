#include "dictionary/mapping_reader.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/utf8_files.h"

namespace {

constexpr size_t kFirstRead = 65000;
constexpr size_t kLaterRead = 4096;
// Larger files are read without reserving room first.
constexpr uintmax_t kMostReserved = uintmax_t{1} << 32;

}  // namespace

bool ReadMappingTable(const char* path, ZORUnicodeString& text) {
  std::ifstream stream;
  if (!OpenInputUtf8(stream, path)) return false;
  std::string buffer;
  // Room for the whole file and the line end the run appends, so that the
  // text is never copied while it grows.
  std::error_code error;
  const std::filesystem::path file = PathFromUtf8(path);
  if (std::filesystem::is_regular_file(file, error)) {
    uintmax_t size = std::filesystem::file_size(file, error);
    if (!error && size < kMostReserved) buffer.reserve(static_cast<size_t>(size) + kFirstRead + 1);
  }
  size_t total = 0;
  // One large read, then reads of 4,096 bytes, until end of file or the
  // first error.
  for (size_t wanted = kFirstRead; stream.good(); wanted = kLaterRead) {
    buffer.resize(total + wanted);
    stream.read(buffer.data() + total, static_cast<std::streamsize>(wanted));
    total += static_cast<size_t>(stream.gcount());
  }
  buffer.resize(total);
  size_t nul = buffer.find('\0');
  if (nul != std::string::npos) buffer.resize(nul);
  text = ZORUnicodeString(std::move(buffer));
  return true;
}
