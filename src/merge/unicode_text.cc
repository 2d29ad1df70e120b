#include "merge/unicode_text.h"

#include <cstdint>

namespace {

void AppendUtf8(uint32_t code, std::string& out) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// UTF-16 after its byte-order mark; returns why it cannot be read, or "".
std::string TranscodeUtf16(std::string_view units, bool little_endian, std::string& out) {
  if (units.size() % 2 != 0) return "is UTF-16 text with an odd number of bytes: it was cut short";
  out.reserve(units.size() + units.size() / 2);
  auto unit = [&](size_t at) -> uint32_t {
    auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(units[i])); };
    return little_endian ? byte(at) | byte(at + 1) << 8 : byte(at) << 8 | byte(at + 1);
  };
  for (size_t at = 0; at < units.size(); at += 2) {
    uint32_t code = unit(at);
    if (code >= 0xD800 && code < 0xDC00 && at + 2 < units.size()) {
      uint32_t low = unit(at + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        at += 2;
      }
    }
    if (code >= 0xD800 && code < 0xE000) {
      return "is UTF-16 text with a broken character at byte " + std::to_string(at + 2);
    }
    AppendUtf8(code, out);
  }
  return "";
}

bool StartsWith(std::string_view bytes, std::string_view prefix) {
  return bytes.substr(0, prefix.size()) == prefix;
}

// Text of letters and digits saved as UTF-16 without a mark: every other
// byte is zero.
bool LooksLikeUnmarkedUtf16(std::string_view bytes) {
  if (bytes.size() < 4) return false;
  bool zero_first = bytes[0] == 0 && bytes[2] == 0 && bytes[1] != 0 && bytes[3] != 0;
  bool zero_second = bytes[1] == 0 && bytes[3] == 0 && bytes[0] != 0 && bytes[2] != 0;
  return zero_first || zero_second;
}

}  // namespace

void DecodeText(std::string_view bytes, DecodedText& decoded) {
  using namespace std::string_view_literals;
  decoded = {};
  decoded.text = bytes;
  if (StartsWith(bytes, "\xFF\xFE\0\0"sv) || StartsWith(bytes, "\0\0\xFE\xFF"sv)) {
    decoded.problem = "is UTF-32 text: save it as UTF-8";
  } else if (StartsWith(bytes, "\xFF\xFE"sv) || StartsWith(bytes, "\xFE\xFF"sv)) {
    decoded.encoding = TextEncoding::kUtf16;
    decoded.problem = TranscodeUtf16(bytes.substr(2), bytes[0] == '\xFF', decoded.transcoded);
    decoded.text = decoded.transcoded;
  } else if (StartsWith(bytes, kUtf8Mark)) {
    decoded.encoding = TextEncoding::kUtf8WithMark;
    decoded.text = bytes.substr(kUtf8Mark.size());
  } else if (LooksLikeUnmarkedUtf16(bytes)) {
    decoded.problem = "looks like UTF-16 text without a byte-order mark: save it as UTF-8";
  }
  if (!decoded.problem.empty()) decoded.text = {};
}
