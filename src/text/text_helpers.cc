#include "text/text_helpers.h"

#include <cstring>
#include <string_view>

namespace {

// True when the piece of text starting at `at` matches `literal` under the
// looser comparison; a piece cut short by the end of the text never does.
bool PieceMatches(std::string_view text, size_t at, std::string_view literal) {
  if (text.size() - at < literal.size()) return false;
  return EqualIgnoringAsciiCase(text.substr(at, literal.size()), literal);
}

}  // namespace

ZORUnicodeString ReadNextLine(const ZORUnicodeString& text, long& position) {
  const std::string& s = text.str();
  if (position < 0) position = 0;
  size_t start = static_cast<size_t>(position);
  if (start >= s.size()) {
    position += 1;
    return {};
  }
  const void* line_end = std::memchr(s.data() + start, '\n', s.size() - start);
  size_t end =
      line_end ? static_cast<size_t>(static_cast<const char*>(line_end) - s.data()) + 1 : s.size();
  position = static_cast<long>(line_end ? end : end + 1);
  return ZORUnicodeString(std::string_view(s).substr(start, end - start));
}

void AmpTogglePlain(ZORUnicodeString& s) {
  std::string_view in = s.str();
  if (in.find('&') == std::string_view::npos) return;
  std::string out;
  out.reserve(in.size());
  for (size_t p = 0; p < in.size();) {
    if (in[p] == '&' && PieceMatches(in, p, "&amp;")) {
      out += '&';
      p += 5;
    } else {
      out += in[p++];
    }
  }
  s = ZORUnicodeString(std::move(out));
}

void AmpToggleHTML(ZORUnicodeString& s) {
  std::string_view in = s.str();
  auto escaped = [&](size_t at) {
    return PieceMatches(in, at, "&amp;") || PieceMatches(in, at, "&nbsp;");
  };
  // Most lines hold only entities already written out: they stay as they are.
  size_t amp = in.find('&');
  while (amp != std::string_view::npos && escaped(amp)) amp = in.find('&', amp + 1);
  if (amp == std::string_view::npos) return;
  std::string out;
  out.reserve(in.size() + 16);
  size_t copied = 0;
  for (; amp != std::string_view::npos; amp = in.find('&', amp + 1)) {
    if (escaped(amp)) continue;
    out.append(in.substr(copied, amp - copied));
    out += "&amp;";
    copied = amp + 1;
  }
  out.append(in.substr(copied));
  s = ZORUnicodeString(std::move(out));
}

ZORUnicodeString CheckString(ZORUnicodeString s) {
  std::string_view in = s.str();
  std::string out;
  out.reserve(in.size() + 16);
  for (size_t p = 0; p < in.size(); ++p) {
    switch (in[p]) {
      case '&':
        out += PieceMatches(in, p, "&amp;") ? "&" : "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case ',':
        out += "&comma;";
        break;
      case '\n':
        break;
      default:
        out += in[p];
    }
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return ZORUnicodeString(std::move(out));
}

void FixWhiteSpace(ZORUnicodeString&) {}

void RemoveWhiteSpace(ZORUnicodeString& s) {
  std::string_view in = s.str();
  std::string kept;
  kept.reserve(in.size());
  for (size_t i = 0; i < in.size(); ++i) {
    if (i == 0 || in[i] != ' ') kept += in[i];
  }
  s = CheckString(ZORUnicodeString(std::move(kept)));
}

ZORUnicodeString Plain(ZORUnicodeString s) {
  AmpTogglePlain(s);
  return s;
}

ZORUnicodeString Html(ZORUnicodeString s) {
  AmpToggleHTML(s);
  return s;
}

ZORUnicodeString WithoutWhiteSpace(ZORUnicodeString s) {
  RemoveWhiteSpace(s);
  return s;
}
