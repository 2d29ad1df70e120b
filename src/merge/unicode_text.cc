#include "merge/unicode_text.h"

#include <cstdint>

#include "text/wide_units.h"

namespace {

// UTF-16 after its byte-order mark; returns why it cannot be read, or "".
std::string TranscodeUtf16(std::string_view units, bool little_endian, std::string& out) {
  if (units.size() % 2 != 0) return "is UTF-16 text with an odd number of bytes: it was cut short";
  size_t bad = AppendWideAsUtf8(units, 2, little_endian, out);
  if (bad == std::string_view::npos) return "";
  // The offset in the file: the byte-order mark comes first.
  return "is UTF-16 text with a broken character at byte " + std::to_string(bad + 2);
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

std::string WideTextName(std::string_view bytes) {
  using namespace std::string_view_literals;
  if (StartsWith(bytes, "\xFF\xFE\0\0"sv) || StartsWith(bytes, "\0\0\xFE\xFF"sv)) {
    return "UTF-32 text";
  }
  if (StartsWith(bytes, "\xFF\xFE"sv) || StartsWith(bytes, "\xFE\xFF"sv)) return "UTF-16 text";
  if (LooksLikeUnmarkedUtf16(bytes)) return "UTF-16 text without a byte-order mark";
  return "";
}

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
