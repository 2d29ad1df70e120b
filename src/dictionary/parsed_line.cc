#include "dictionary/parsed_line.h"

#include "text/text_helpers.h"
#include "text/zor_token.h"

ParsedLine ParseLine(std::string_view text, std::deque<std::string>& pool) {
  ParsedLine line;
  line.text = text;
  ZORToken tokens(text);
  for (size_t i = 0; i < line.raw.size(); ++i) {
    line.raw[i] = tokens.NextTokenView(",");
    line.plain[i] = line.raw[i];
    if (line.raw[i].find('&') == std::string_view::npos) continue;
    ZORUnicodeString unescaped(line.raw[i]);
    AmpTogglePlain(unescaped);
    if (unescaped.str() == line.raw[i]) continue;
    pool.push_back(std::move(unescaped.str()));
    line.plain[i] = pool.back();
  }
  return line;
}

bool FieldMatches(std::string_view field, std::string_view other) {
  return EqualIgnoringAsciiCase(field, other);
}
