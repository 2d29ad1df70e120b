// The framework tokenizer: adjacent delimiters act as one, so an empty field
// yields no token, and the line end is no delimiter.
#ifndef ZOR_TEXT_ZOR_TOKEN_H_
#define ZOR_TEXT_ZOR_TOKEN_H_

#include <string_view>

#include "text/zor_string.h"

class ZORToken {
 public:
  // The token keeps a view of the line: the line must outlive it.
  explicit ZORToken(const ZORUnicodeString& line) : line_(line.str()) {}
  explicit ZORToken(std::string_view line) : line_(line) {}
  ZORToken(ZORUnicodeString&&) = delete;

  // Skips delimiters, returns the characters up to the next delimiter or the
  // end, and moves past them; empty text when nothing but delimiters remains.
  ZORUnicodeString GetNextToken(std::string_view delimiters);
  // The same piece, as a view into the line.
  std::string_view NextTokenView(std::string_view delimiters);
  // The same for a single delimiter character, the common case.
  std::string_view NextTokenView(char delimiter);

 private:
  std::string_view line_;
  size_t position_ = 0;
};

#endif  // ZOR_TEXT_ZOR_TOKEN_H_
