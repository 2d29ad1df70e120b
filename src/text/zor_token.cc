#include "text/zor_token.h"

std::string_view ZORToken::NextTokenView(std::string_view delimiters) {
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
