#include "text/folded_text.h"

#include <utf8proc.h>

#include <cstdlib>
#include <memory>

namespace {

void AppendCodePoint(std::string& out, utf8proc_int32_t code) {
  utf8proc_uint8_t bytes[4];
  utf8proc_ssize_t length = utf8proc_encode_char(code, bytes);
  out.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
}

bool IsWordGap(unsigned char c) {
  return c == ' ' || c == '_' || c == '-' || c == '.' || c == '\t';
}

// ASCII text needs no table: its compatibility and composed forms are itself,
// and folding its case lowers its capitals. Names are mostly ASCII, and
// look-ups fold many of them.
bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string FoldAscii(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

}  // namespace

std::string ValidUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto* bytes = reinterpret_cast<const utf8proc_uint8_t*>(text.data());
  utf8proc_ssize_t left = static_cast<utf8proc_ssize_t>(text.size());
  while (left > 0) {
    utf8proc_int32_t code = 0;
    utf8proc_ssize_t used = utf8proc_iterate(bytes, left, &code);
    if (used <= 0) {
      code = *bytes;
      used = 1;
    }
    AppendCodePoint(out, code);
    bytes += used;
    left -= used;
  }
  return out;
}

std::string FoldText(std::string_view text) {
  if (IsAscii(text)) return FoldAscii(text);
  const std::string valid = ValidUtf8(text);
  utf8proc_uint8_t* folded = nullptr;
  const auto options =
      static_cast<utf8proc_option_t>(UTF8PROC_COMPAT | UTF8PROC_COMPOSE | UTF8PROC_CASEFOLD |
                                     UTF8PROC_STRIPMARK | UTF8PROC_IGNORE);
  utf8proc_ssize_t length =
      utf8proc_map(reinterpret_cast<const utf8proc_uint8_t*>(valid.data()),
                   static_cast<utf8proc_ssize_t>(valid.size()), &folded, options);
  std::unique_ptr<utf8proc_uint8_t, decltype(&std::free)> owner(folded, &std::free);
  if (length < 0) return valid;  // only on exhausted memory: the text as it is
  return std::string(reinterpret_cast<const char*>(folded), static_cast<size_t>(length));
}

std::string FoldCompact(std::string_view text) {
  std::string compact;
  for (char c : FoldText(text)) {
    if (!IsWordGap(static_cast<unsigned char>(c))) compact += c;
  }
  return compact;
}
