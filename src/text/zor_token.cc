#include "text/zor_token.h"

#include <cstring>

std::string_view ZORToken::NextTokenView(std::string_view delimiters) {
  if (delimiters.size() == 1) return NextTokenView(delimiters.front());
  size_t start = line_.find_first_not_of(delimiters, position_);
  if (start == std::string_view::npos) {
    position_ = line_.size();
    return {};
  }
  size_t end = line_.find_first_of(delimiters, start);
  if (end == std::string_view::npos) end = line_.size();
  position_ = end;
  return line_.substr(start, end - start);
}

ZORUnicodeString ZORToken::GetNextToken(std::string_view delimiters) {
  return ZORUnicodeString(NextTokenView(delimiters));
}

std::string_view ZORToken::NextTokenView(char delimiter) {
  size_t start = position_;
  while (start < line_.size() && line_[start] == delimiter) ++start;
  if (start == line_.size()) {
    position_ = start;
    return {};
  }
  const void* next = std::memchr(line_.data() + start, delimiter, line_.size() - start);
  size_t end =
      next ? static_cast<size_t>(static_cast<const char*>(next) - line_.data()) : line_.size();
  position_ = end;
  return line_.substr(start, end - start);
}
