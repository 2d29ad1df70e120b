#include "text/wide_units.h"

#include <cassert>

namespace {

uint32_t Unit(std::string_view bytes, size_t at, size_t width, bool little_endian) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i) {
    size_t index = little_endian ? at + width - 1 - i : at + i;
    value = (value << 8) | static_cast<unsigned char>(bytes[index]);
  }
  return value;
}

bool IsSurrogate(uint32_t code) { return code >= 0xD800 && code < 0xE000; }

}  // namespace

void AppendUtf8(uint32_t code, std::string& out) {
  if (code > 0x10FFFF || IsSurrogate(code)) code = 0xFFFD;
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

size_t AppendWideAsUtf8(std::string_view units, size_t width, bool little_endian,
                        std::string& out) {
  // Any other width would read units that are no characters, and 0 would
  // never move on.
  assert((width == 2 || width == 4) && "UTF-16 or UTF-32 code units");
  out.reserve(out.size() + units.size());
  size_t first_bad = std::string_view::npos;
  size_t i = 0;
  for (; i + width <= units.size(); i += width) {
    const size_t at = i;
    uint32_t code = Unit(units, i, width, little_endian);
    if (width == 2 && code >= 0xD800 && code < 0xDC00 && i + 4 <= units.size()) {
      uint32_t low = Unit(units, i + 2, 2, little_endian);
      if (low >= 0xDC00 && low < 0xE000) {
        code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    if ((IsSurrogate(code) || code > 0x10FFFF) && first_bad == std::string_view::npos) {
      first_bad = at;
    }
    AppendUtf8(code, out);
  }
  if (i < units.size()) {
    if (first_bad == std::string_view::npos) first_bad = i;
    AppendUtf8(0xFFFD, out);
  }
  return first_bad;
}

size_t Utf8SequenceLength(std::string_view text, size_t at) {
  assert(at < text.size() && "a byte of the text");
  unsigned char lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) return 1;
  size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  unsigned char second = static_cast<unsigned char>(text[at + 1]);
  if (lead == 0xE0 && second < 0xA0) return 0;
  if (lead == 0xED && second >= 0xA0) return 0;
  if (lead == 0xF0 && second < 0x90) return 0;
  if (lead == 0xF4 && second >= 0x90) return 0;
  return length;
}
