#include "text/zor_string.h"

#include <cstdio>

namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

ZORUnicodeString ZORUnicodeString::SubString(long start, long length) const {
  if (start < 0 || start >= GetLengthInChar() || length <= 0) return {};
  return ZORUnicodeString(text_.substr(static_cast<size_t>(start), static_cast<size_t>(length)));
}

void ZORUnicodeString::Remove(long start, long count) {
  if (start < 0 || start >= GetLengthInChar() || count <= 0) return;
  text_.erase(static_cast<size_t>(start), static_cast<size_t>(count));
}

TextComparison ZORUnicodeString::Compare(const ZORUnicodeString& other) const {
  return Compare(std::string_view(other.text_));
}

TextComparison ZORUnicodeString::Compare(std::string_view other) const {
  if (text_ == other) return TextComparison::kIdentical;
  if (EqualIgnoringAsciiCase(text_, other)) return TextComparison::kEqualIgnoringCase;
  return TextComparison::kDifferent;
}

long ZORUnicodeString::SearchSubString(std::string_view text, long start) const {
  if (start < 0) start = 0;
  size_t found = text_.find(text, static_cast<size_t>(start));
  return found == std::string::npos ? -1 : static_cast<long>(found);
}

ZORUnicodeString ZORUnicodeString::BuildFromNum(long value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%ld", value);
  return ZORUnicodeString(buffer);
}
