#include "output/json_line.h"

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

void JsonLine::Clear() {
  text_.clear();
  depth_ = 0;
  needsComma_ = false;
  afterKey_ = false;
}
