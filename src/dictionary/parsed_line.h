// One mapping-table line taken apart once: its seven columns both as
// written and unescaped. Every scan of the table takes what it needs from
// here, since a line's fields depend on the line alone.
#ifndef ZOR_DICTIONARY_PARSED_LINE_H_
#define ZOR_DICTIONARY_PARSED_LINE_H_

#include <array>
#include <deque>
#include <string>
#include <string_view>

#include "dictionary/mapping_columns.h"

struct ParsedLine {
  using Fields = std::array<std::string_view, kMappingColumnCount>;

  std::string_view text;  // the line with its line end
  Fields raw;             // every column as written, in column order
  Fields plain;           // the same after AmpTogglePlain

  std::string_view Raw(MappingColumn column) const { return raw[ColumnIndex(column)]; }
  std::string_view Plain(MappingColumn column) const { return plain[ColumnIndex(column)]; }
};

// Splits `text` as the tokenizer does. The views point into `text`, or into
// `pool` for unescaped fields that differ from what is written; both must
// outlive the result.
ParsedLine ParseLine(std::string_view text, std::deque<std::string>& pool);

// The looser comparison: equal with ASCII letters compared without regard to
// case.
bool FieldMatches(std::string_view field, std::string_view other);

#endif  // ZOR_DICTIONARY_PARSED_LINE_H_
