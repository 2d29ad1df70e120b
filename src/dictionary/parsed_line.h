// One mapping-table line taken apart once: its first seven fields both as
// written and unescaped. Every scan of the table takes what it needs from
// here, since a line's fields depend on the line alone.
#ifndef ZOR_DICTIONARY_PARSED_LINE_H_
#define ZOR_DICTIONARY_PARSED_LINE_H_

#include <array>
#include <deque>
#include <string>
#include <string_view>

struct ParsedLine {
  std::string_view text;                  // the line with its line end
  std::array<std::string_view, 7> raw;    // fields 1 to 7 at [0] to [6], as written
  std::array<std::string_view, 7> plain;  // the same after AmpTogglePlain

  std::string_view Raw(int number) const { return raw[static_cast<size_t>(number - 1)]; }
  std::string_view Plain(int number) const { return plain[static_cast<size_t>(number - 1)]; }
};

// Splits `text` as the tokenizer does. The views point into `text`, or into
// `pool` for unescaped fields that differ from what is written; both must
// outlive the result.
ParsedLine ParseLine(std::string_view text, std::deque<std::string>& pool);

// The looser comparison: equal with ASCII letters compared without regard to
// case.
bool FieldMatches(std::string_view field, std::string_view other);

#endif  // ZOR_DICTIONARY_PARSED_LINE_H_
