// The mapping table: rows of comma-separated fields read line by line from
// the in-memory table text, and the lookups shared by the comparison.
#ifndef ZOR_DICTIONARY_MAPPING_TABLE_H_
#define ZOR_DICTIONARY_MAPPING_TABLE_H_

#include <string_view>

#include "dictionary/mapping_columns.h"
#include "text/zor_string.h"

// The seven fields of a split row. Adjacent commas act as one, so an empty
// column yields no field and later values arrive in earlier fields; fields
// past the last value are empty.
struct MappingRow {
  ZORUnicodeString source_class;
  ZORUnicodeString source_parent;
  ZORUnicodeString source_attribute;
  ZORUnicodeString target_class;
  ZORUnicodeString target_parent;
  ZORUnicodeString target_attribute;
  ZORUnicodeString domain;

  ZORUnicodeString& Field(MappingColumn column);
};

// Which fields a split passes through AmpTogglePlain: one bit per column.
using FieldMask = unsigned;
constexpr FieldMask FieldBit(MappingColumn column) { return 1u << ColumnIndex(column); }
constexpr FieldMask kNoFields = 0;
constexpr FieldMask kAllFields = (1u << kMappingColumnCount) - 1;

// Splits `line` into its fields up to `last` (the rest stay empty) and
// unescapes those named by `unescaped`.
MappingRow SplitRow(std::string_view line, MappingColumn last, FieldMask unescaped);

// Result of the class-row lookup.
struct ClassRowLookup {
  bool found = false;
  ZORUnicodeString map_domain;  // the domain of the accepted row, or of the last row read
  // The accepted row with its line end, or the empty line at the end of the
  // text when there is none; a view into the table's text.
  std::string_view row;
  long row_start = 0;  // where `row` starts in the text
};

// Scans the table from its start for the first class row whose first two
// fields equal `class_name` and `class_parent`. Leaves `position` on the
// line after the accepted row, or past the end of the text.
ClassRowLookup FindClassRow(const ZORUnicodeString& mapping_text, long& position,
                            const ZORUnicodeString& class_name,
                            const ZORUnicodeString& class_parent);

// Whether any row's fourth field, unescaped, equals `name`.
bool RowNamesTargetClass(const ZORUnicodeString& name, const ZORUnicodeString& mapping_text);

#endif  // ZOR_DICTIONARY_MAPPING_TABLE_H_
