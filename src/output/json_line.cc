#include "output/json_line.h"

#include <cassert>
#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string_view>

namespace {

bool NeedsNoEscaping(std::string_view value) {
  for (char c : value) {
    auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7e || c == '"' || c == '\\') return false;
  }
  return true;
}

}  // namespace

void JsonLine::BeforeValue() {
  if (needs_comma_ && !after_key_) text_ += ',';
  after_key_ = false;
}

void JsonLine::Quoted(std::string_view value) {
  if (NeedsNoEscaping(value)) {
    text_ += '"';
    text_ += value;
    text_ += '"';
    return;
  }
  // Bytes that are not UTF-8 (a table in a legacy code page) become U+FFFD.
  text_ += nlohmann::json(value).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

JsonLine& JsonLine::Open() {
  BeforeValue();
  text_ += '{';
  ++depth_;
  needs_comma_ = false;
  return *this;
}

JsonLine& JsonLine::Close() {
  assert(depth_ > 0 && "an object to close");
  text_ += '}';
  needs_comma_ = true;
  if (--depth_ == 0) text_ += '\n';
  return *this;
}

JsonLine& JsonLine::OpenArray() {
  BeforeValue();
  text_ += '[';
  ++depth_;
  needs_comma_ = false;
  return *this;
}

JsonLine& JsonLine::CloseArray() {
  assert(depth_ > 0 && "an array to close");
  text_ += ']';
  --depth_;
  needs_comma_ = true;
  return *this;
}

JsonLine& JsonLine::Key(std::string_view name) {
  if (needs_comma_) text_ += ',';
  Quoted(name);
  text_ += ':';
  after_key_ = true;
  return *this;
}

JsonLine& JsonLine::String(std::string_view value) {
  BeforeValue();
  Quoted(value);
  needs_comma_ = true;
  return *this;
}

JsonLine& JsonLine::Number(long value) {
  BeforeValue();
  text_ += std::to_string(value);
  needs_comma_ = true;
  return *this;
}

JsonLine& JsonLine::Null() {
  BeforeValue();
  text_ += "null";
  needs_comma_ = true;
  return *this;
}

JsonLine& JsonLine::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  needs_comma_ = true;
  return *this;
}

void JsonLine::Clear() {
  text_.clear();
  depth_ = 0;
  needs_comma_ = false;
  after_key_ = false;
}

JsonLine& JsonLine::Decimal(double value) {
  BeforeValue();
  // Exactly rounded, as printf's "%.3f" is, without its cost per number.
  char digits[400];
  const std::to_chars_result written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 3);
  std::string_view text(digits,
                        written.ec == std::errc() ? static_cast<size_t>(written.ptr - digits) : 0);
  if (text.empty()) text = "0";  // the buffer holds any double; kept for safety
  while (text.size() > 1 && text.back() == '0' && text.find('.') != std::string_view::npos)
    text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  text_ += text == "-0" ? std::string_view("0") : text;
  needs_comma_ = true;
  return *this;
}
