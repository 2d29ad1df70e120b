// One JSON object written as one line, members in the order they are added.
// Every string goes through the JSON library's escaping, except strings of
// printable ASCII without quote or backslash, which JSON writes unchanged.
#ifndef ZOR_OUTPUT_JSON_LINE_H_
#define ZOR_OUTPUT_JSON_LINE_H_

#include <string>
#include <string_view>

class JsonLine {
 public:
  JsonLine& Open();   // an object, as a member value after Key() or at the top
  JsonLine& Close();  // Close() and CloseArray() each need an object or array still open
  JsonLine& OpenArray();
  JsonLine& CloseArray();
  JsonLine& Key(std::string_view name);
  JsonLine& String(std::string_view value);
  JsonLine& Number(long value);
  // A fraction with at most three decimals, trailing zeros dropped.
  JsonLine& Decimal(double value);
  JsonLine& Null();
  JsonLine& Bool(bool value);

  // The line, with its line end once Close() has ended the top object.
  const std::string& Text() const { return text_; }
  void Clear();

 private:
  void BeforeValue();
  void Quoted(std::string_view value);

  std::string text_;
  int depth_ = 0;
  bool needs_comma_ = false;  // a member or element came before at this depth
  bool after_key_ = false;
};

#endif  // ZOR_OUTPUT_JSON_LINE_H_
