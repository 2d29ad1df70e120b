#include "dictionary/mapping_reader.h"

#include <cerrno>
#include <string>

namespace {

std::string_view UpToNul(std::string_view bytes) { return bytes.substr(0, bytes.find('\0')); }

}  // namespace

bool ReadMappingTable(const char* path, ZORUnicodeString& text) {
  FileRead read = ReadFile(path, kNoSizeBound, 1);
  if (!read.ok() && !read.opened && read.error != EISDIR) {
    // Not opened: errno tells why, as the caller expects.
    errno = read.error;
    return false;
  }
  read.bytes.resize(UpToNul(read.bytes).size());
  text = ZORUnicodeString(std::move(read.bytes));
  return true;
}

FileRead ReadTableFile(const std::string& path) { return ReadFile(path, kMostTableBytes, 1); }

ZORUnicodeString RunTableText(std::string_view bytes) {
  std::string text;
  bytes = UpToNul(bytes);
  text.reserve(bytes.size() + 1);
  text.append(bytes);
  text += '\n';
  return ZORUnicodeString(std::move(text));
}
