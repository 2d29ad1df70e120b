#include "output/json_line.h"

#include <cassert>
#include <charconv>
#include <cstdio>
#include <string_view>

#include <nlohmann/json.hpp>

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
  if (needsComma_ && !afterKey_) text_ += ',';
  afterKey_ = false;
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
  needsComma_ = false;
  return *this;
}

JsonLine& JsonLine::Close() {
  assert(depth_ > 0 && "an object to close");
  text_ += '}';
  needsComma_ = true;
  if (--depth_ == 0) text_ += '\n';
  return *this;
}

JsonLine& JsonLine::OpenArray() {
  BeforeValue();
  text_ += '[';
  ++depth_;
  needsComma_ = false;
  return *this;
}

JsonLine& JsonLine::CloseArray() {
  assert(depth_ > 0 && "an array to close");
  text_ += ']';
  --depth_;
  needsComma_ = true;
  return *this;
}

JsonLine& JsonLine::Key(std::string_view name) {
  if (needsComma_) text_ += ',';
  Quoted(name);
  text_ += ':';
  afterKey_ = true;
  return *this;
}

JsonLine& JsonLine::String(std::string_view value) {
  BeforeValue();
  Quoted(value);
  needsComma_ = true;
  return *this;
}

JsonLine& JsonLine::Number(long value) {
  BeforeValue();
  text_ += std::to_string(value);
  needsComma_ = true;
  return *this;
}

JsonLine& JsonLine::Null() {
  BeforeValue();
  text_ += "null";
  needsComma_ = true;
  return *this;
}

JsonLine& JsonLine::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
  needsComma_ = true;
  return *this;
}

void JsonLine::Clear() {
  text_.clear();
  depth_ = 0;
  needsComma_ = false;
  afterKey_ = false;
}

JsonLine& JsonLine::Decimal(double value) {
  BeforeValue();
  // Exactly rounded, as printf's "%.3f" is, without its cost per number.
  char digits[400];
  const std::to_chars_result written =
      std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, 3);
  std::string_view text(digits, written.ec == std::errc() ? static_cast<size_t>(written.ptr - digits) : 0);
  if (text.empty()) text = "0";  // the buffer holds any double; kept for safety
  while (text.size() > 1 && text.back() == '0' && text.find('.') != std::string_view::npos) text.remove_suffix(1);
  if (text.back() == '.') text.remove_suffix(1);
  text_ += text == "-0" ? std::string_view("0") : text;
  needsComma_ = true;
  return *this;
}
