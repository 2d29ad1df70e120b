// The mapping-table lookups of the comparison that the cursor alone does
// not answer: the search for an attribute's row among the rows that follow
// its class row, and the row a finding names.
#ifndef ZOR_COMPARE_TABLE_LOOKUPS_H_
#define ZOR_COMPARE_TABLE_LOOKUPS_H_

#include <optional>
#include <string_view>

#include "compare/pass_state.h"

// The attribute lookup: moves the cursor to `scan_start` (the line after the
// class row) and reads the rows from there until the attribute's row, a "No
// Mapping" row for it, or the first row that belongs neither to the class
// (first column `row_name`) nor to an attribute of this name. The cursor is
// left after the last row read.
struct AttributeRowLookup {
  const ParsedLine* row = nullptr;  // the attribute's row; valid until the next read
  long row_start = 0;
  bool unmapped = false;  // the row asks for "No Mapping"
};
AttributeRowLookup LookUpAttributeRow(PassState& pass, long scan_start, std::string_view label,
                                      std::string_view row_name);

// The row that starts at `start`, as a finding names it; nothing when the
// comparison does not keep row references.
std::optional<TableRowRef> RowAt(const PassState& pass, long start);

#endif  // ZOR_COMPARE_TABLE_LOOKUPS_H_
