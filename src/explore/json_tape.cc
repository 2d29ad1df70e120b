#include "explore/json_tape.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "text/wide_units.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a byte of the eight in `word` ends a plain run of string text: a
// quote, a backslash or a control character (each byte tested at once, as
// the classic "has a zero byte" and "has a byte less than n" bit tricks do).
bool EndsPlainRun(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHighs = 0x8080808080808080;
  auto has_zero = [&](uint64_t v) { return (v - kOnes) & ~v & kHighs; };
  return (has_zero(word ^ (kOnes * '"')) | has_zero(word ^ (kOnes * '\\')) |
          ((word - kOnes * 0x20) & ~word & kHighs)) != 0;
}

// Passes the plain text of a string (no quote, backslash or control
// character), eight bytes at a time where it can: most of a record is names.
void SkipPlainText(std::string_view text, size_t& at) {
  while (at + 8 <= text.size()) {
    uint64_t word;
    std::memcpy(&word, text.data() + at, 8);
    if (EndsPlainRun(word)) break;
    at += 8;
  }
  while (at < text.size() && text[at] != '"' && text[at] != '\\' &&
         static_cast<unsigned char>(text[at]) >= 0x20) {
    ++at;
  }
}

void SkipBlanks(std::string_view text, size_t& at) {
  while (at < text.size() && IsBlank(text[at])) ++at;
}

// Four hex digits at `at`.
std::optional<uint32_t> HexUnit(std::string_view text, size_t at) {
  if (at + 4 > text.size()) return std::nullopt;
  uint32_t unit = 0;
  for (size_t i = at; i < at + 4; ++i) {
    char c = text[i];
    uint32_t digit = 0;
    if (IsDigit(c)) {
      digit = static_cast<uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    unit = unit * 16 + digit;
  }
  return unit;
}

// The escape after a backslash at `at` (which it passes), decoded onto `out`.
bool DecodeEscape(std::string_view text, size_t& at, std::string& out) {
  if (at >= text.size()) return false;
  char c = text[at++];
  switch (c) {
    case '"':
    case '\\':
    case '/':
      out += c;
      return true;
    case 'b':
      out += '\b';
      return true;
    case 'f':
      out += '\f';
      return true;
    case 'n':
      out += '\n';
      return true;
    case 'r':
      out += '\r';
      return true;
    case 't':
      out += '\t';
      return true;
    case 'u':
      break;
    default:
      return false;
  }
  std::optional<uint32_t> unit = HexUnit(text, at);
  if (!unit) return false;
  at += 4;
  uint32_t code = *unit;
  if (code >= 0xDC00 && code <= 0xDFFF) return false;  // a low surrogate alone
  if (code >= 0xD800 && code <= 0xDBFF) {
    if (at + 2 > text.size() || text[at] != '\\' || text[at + 1] != 'u') return false;
    std::optional<uint32_t> low = HexUnit(text, at + 2);
    if (!low || *low < 0xDC00 || *low > 0xDFFF) return false;
    at += 6;
    code = 0x10000 + ((code - 0xD800) << 10) + (*low - 0xDC00);
  }
  AppendUtf8(code, out);
  return true;
}

}  // namespace

JsonTape::Kind JsonTape::Value::kind() const {
  return tape_ == nullptr ? Kind::kNull : tape_->entries_[at_].kind;
}

std::string_view JsonTape::Value::Text() const {
  return IsString() ? tape_->entries_[at_].text : std::string_view();
}

std::string_view JsonTape::Value::NumberText() const {
  return IsNumber() ? tape_->entries_[at_].text : std::string_view();
}

std::optional<int64_t> JsonTape::Value::Integer() const {
  std::string_view text = NumberText();
  if (text.empty() || text.find_first_of(".eE") != std::string_view::npos) return std::nullopt;
  int64_t value = 0;
  auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (problem != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

double JsonTape::Value::Number() const {
  std::string_view text = NumberText();
  double value = 0;
  auto [end, problem] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (problem == std::errc::result_out_of_range) {
    // Too large or too small for a double: as the C library reads it,
    // infinity or zero.
    return std::strtod(std::string(text).c_str(), nullptr);
  }
  return problem == std::errc() ? value : 0.0;
}

JsonTape::Value JsonTape::Value::operator[](std::string_view name) const {
  if (!IsObject()) return {};
  const std::vector<Entry>& entries = tape_->entries_;
  Value found;
  for (uint32_t at = at_ + 1; at < entries[at_].end; at = entries[at + 1].end) {
    if (entries[at].text == name) found = Value(tape_, at + 1);
  }
  return found;
}

std::vector<JsonTape::Value> JsonTape::Value::Elements() const {
  std::vector<Value> elements;
  if (!IsArray() && !IsObject()) return elements;
  const std::vector<Entry>& entries = tape_->entries_;
  uint32_t step = IsObject() ? 1 : 0;  // an object's values follow their names
  for (uint32_t at = at_ + 1; at < entries[at_].end; at = entries[at + step].end) {
    elements.push_back(Value(tape_, at + step));
  }
  return elements;
}

std::vector<std::string_view> JsonTape::Value::Names() const {
  std::vector<std::string_view> names;
  if (!IsObject()) return names;
  const std::vector<Entry>& entries = tape_->entries_;
  for (uint32_t at = at_ + 1; at < entries[at_].end; at = entries[at + 1].end) {
    names.push_back(entries[at].text);
  }
  return names;
}

bool JsonTape::Read(std::string_view text) {
  entries_.clear();
  decoded_.clear();
  // Decoding never lengthens a string, so the buffer never moves while the
  // views into it are made.
  decoded_.reserve(text.size());
  if (text.size() >= std::numeric_limits<uint32_t>::max() || !ReadAll(text)) {
    entries_.clear();
    return false;
  }
  return true;
}

bool JsonTape::ReadString(std::string_view text, size_t& at, std::string_view& out) {
  size_t start = ++at;  // past the opening quote
  SkipPlainText(text, at);
  if (at >= text.size()) return false;
  if (text[at] == '"') {
    out = text.substr(start, at - start);
    ++at;
    return true;
  }
  size_t first = decoded_.size();
  decoded_.append(text, start, at - start);
  while (at < text.size()) {
    char c = text[at];
    if (c == '"') {
      out = std::string_view(decoded_).substr(first);
      ++at;
      return true;
    }
    if (static_cast<unsigned char>(c) < 0x20) return false;
    if (c == '\\') {
      ++at;
      if (!DecodeEscape(text, at, decoded_)) return false;
    } else {
      decoded_ += c;
      ++at;
    }
  }
  return false;
}

bool JsonTape::ReadNumber(std::string_view text, size_t& at) {
  size_t start = at;
  auto digits = [&]() {
    size_t first = at;
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at > first;
  };
  if (text[at] == '-') ++at;
  if (at < text.size() && text[at] == '0') {
    ++at;
  } else if (!digits()) {
    return false;
  }
  if (at < text.size() && text[at] == '.') {
    ++at;
    if (!digits()) return false;
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    if (!digits()) return false;
  }
  uint32_t index = static_cast<uint32_t>(entries_.size());
  std::string_view number = text.substr(start, at - start);
  entries_.push_back({Kind::kNumber, index + 1, number});
  // A number beyond a double's range is refused, as the JSON library does;
  // one without an exponent and of fewer than 300 digits is within it.
  if (number.size() < 300 && number.find_first_of("eE") == std::string_view::npos) return true;
  return std::isfinite(Value(this, index).Number());
}

bool JsonTape::ReadLiteral(std::string_view text, size_t& at) {
  static constexpr std::pair<std::string_view, Kind> kLiterals[] = {
      {"null", Kind::kNull}, {"true", Kind::kTrue}, {"false", Kind::kFalse}};
  for (const auto& [word, kind] : kLiterals) {
    if (text.substr(at, word.size()) != word) continue;
    at += word.size();
    uint32_t index = static_cast<uint32_t>(entries_.size());
    entries_.push_back({kind, index + 1, {}});
    return true;
  }
  return false;
}

// A loop over the text with the open arrays and objects on a list of their
// own: what comes next is a value, a member's name, or a comma or the end of
// the innermost open one.
bool JsonTape::ReadAll(std::string_view text) {
  enum class Expect { kValue, kValueOrEnd, kName, kNameOrEnd, kCommaOrEnd };
  std::vector<uint32_t>& open = open_;
  open.clear();
  Expect expect = Expect::kValue;
  size_t at = 0;
  auto after_value = [&]() { expect = open.empty() ? Expect::kValue : Expect::kCommaOrEnd; };
  auto close = [&]() {
    entries_[open.back()].end = static_cast<uint32_t>(entries_.size());
    open.pop_back();
    ++at;
    after_value();
  };
  while (true) {
    SkipBlanks(text, at);
    if (!entries_.empty() && open.empty()) return at == text.size();
    if (at >= text.size()) return false;
    char c = text[at];
    uint32_t index = static_cast<uint32_t>(entries_.size());
    bool in_object = !open.empty() && entries_[open.back()].kind == Kind::kObject;
    switch (expect) {
      case Expect::kCommaOrEnd:
        if (c == ',') {
          ++at;
          expect = in_object ? Expect::kName : Expect::kValue;
        } else if (c == (in_object ? '}' : ']')) {
          close();
        } else {
          return false;
        }
        break;
      case Expect::kNameOrEnd:
      case Expect::kName: {
        if (expect == Expect::kNameOrEnd && c == '}') {
          close();
          break;
        }
        std::string_view name;
        if (c != '"' || !ReadString(text, at, name)) return false;
        entries_.push_back({Kind::kString, index + 1, name});
        SkipBlanks(text, at);
        if (at >= text.size() || text[at] != ':') return false;
        ++at;
        expect = Expect::kValue;
        break;
      }
      case Expect::kValueOrEnd:
      case Expect::kValue:
        if (expect == Expect::kValueOrEnd && c == ']') {
          close();
        } else if (c == '{' || c == '[') {
          entries_.push_back({c == '{' ? Kind::kObject : Kind::kArray, index + 1, {}});
          open.push_back(index);
          ++at;
          expect = c == '{' ? Expect::kNameOrEnd : Expect::kValueOrEnd;
        } else if (c == '"') {
          std::string_view value;
          if (!ReadString(text, at, value)) return false;
          entries_.push_back({Kind::kString, index + 1, value});
          after_value();
        } else if (c == '-' || IsDigit(c)) {
          if (!ReadNumber(text, at)) return false;
          after_value();
        } else {
          if (!ReadLiteral(text, at)) return false;
          after_value();
        }
        break;
    }
  }
}
