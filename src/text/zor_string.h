// The program's one string type: UTF-8 text held in bytes, where a
// "character" in positions and lengths is one byte.
#ifndef ZOR_TEXT_ZOR_STRING_H_
#define ZOR_TEXT_ZOR_STRING_H_

#include <string>
#include <string_view>

// How two strings compare when the run looks a name up: byte for byte, or
// with ASCII letters compared without regard to case.
enum class TextComparison { kIdentical, kEqualIgnoringCase, kDifferent };

class ZORUnicodeString {
 public:
  ZORUnicodeString() = default;
  ZORUnicodeString(const char* text) : text_(text ? text : "") {}
  ZORUnicodeString(std::string text) : text_(std::move(text)) {}
  ZORUnicodeString(std::string_view text) : text_(text) {}

  void Reset() { text_.clear(); }
  void Append(const ZORUnicodeString& other) { text_ += other.text_; }
  void Append(std::string_view text) { text_ += text; }
  void Append(const char* text) { text_ += text; }
  void Append(char c) { text_ += c; }

  long GetLengthInChar() const { return static_cast<long>(text_.size()); }
  bool IsEmpty() const { return text_.empty(); }
  char At(long position) const { return text_[static_cast<size_t>(position)]; }

  // The piece of `length` characters from `start`, cut at the end of the
  // text; empty when start lies outside the text.
  ZORUnicodeString SubString(long start, long length) const;
  void Remove(long start, long count);

  TextComparison Compare(const ZORUnicodeString& other) const;
  TextComparison Compare(std::string_view other) const;
  bool Matches(std::string_view other) const {
    return Compare(other) != TextComparison::kDifferent;
  }
  bool Equals(std::string_view other) const { return text_ == other; }

  // Position of the first exact occurrence of `text` at or after `start`, -1
  // when absent.
  long SearchSubString(std::string_view text, long start = 0) const;
  bool Contains(std::string_view text) const { return text_.find(text) != std::string::npos; }

  // Decimal text of `value`, as "%ld" writes it.
  static ZORUnicodeString BuildFromNum(long value);

  const char* ConvertToChar() const { return text_.c_str(); }
  const std::string& str() const { return text_; }
  std::string& str() { return text_; }
  operator std::string_view() const { return text_; }

  bool operator==(const ZORUnicodeString& other) const = default;

 private:
  std::string text_;
};

// Case-insensitive equality over ASCII letters, every other byte exact; the
// looser result of Compare.
bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b);

#endif  // ZOR_TEXT_ZOR_STRING_H_
