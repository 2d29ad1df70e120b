#include "driver/mapping_reader.h"

#include <cstring>
#include <fstream>
#include <string>

namespace {

constexpr size_t kFirstRead = 65000;
constexpr size_t kLaterRead = 4096;

}  // namespace

bool ReadMappingTable(const char* path, ZORUnicodeString& text) {
  std::ifstream stream(path, std::ios::binary);
  if (!stream.good()) return false;
  std::string buffer;
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
