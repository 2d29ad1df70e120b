#include "explore/report_link.h"

namespace {

bool Unreserved(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~';
}

}  // namespace

std::string EncodeReportPath(std::string_view path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  for (char c : path) {
    auto byte = static_cast<unsigned char>(c);
    if (Unreserved(byte) || c == '/') {
      encoded += c;
    } else {
      encoded += '%';
      encoded += kHex[byte >> 4];
      encoded += kHex[byte & 0x0F];
    }
  }
  return encoded;
}
