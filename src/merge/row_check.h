// Whether a row, put into the mapping table, is read back as written. The
// table reader splits a row on every comma and skips empty columns, so an
// empty column hands the next value to the field before it; the line end
// stays in the last piece, so a value with no comma after it is read with
// the line end attached.
#ifndef ZOR_MERGE_ROW_CHECK_H_
#define ZOR_MERGE_ROW_CHECK_H_

#include <string>
#include <string_view>
#include <vector>

enum class RowFault {
  kNone,
  kNulByte,          // the table reader stops reading at it
  kUnnameable,       // no row of the table can name the class
  kEmptyColumn,      // a value the reader needs is missing or moves forward
  kRunsIntoLineEnd,  // the last value the reader needs has no comma after it
  kCsvCell,          // a CSV cell whose value no row of the table can hold
};

struct RowCheck {
  bool class_row = false;   // column 3 is "*"
  bool no_mapping = false;  // "No Mapping" stands somewhere in the row
  RowFault fault = RowFault::kNone;
  std::string reason;  // in words, for the user; empty without a fault

  bool Usable() const { return fault == RowFault::kNone; }
};

// "column 4 (target class)": a column named for the user, from index 0.
std::string ColumnLabel(size_t index);

// The columns of a row without its line end, split on every comma; empty
// columns included.
std::vector<std::string_view> Columns(std::string_view content);

// Checks a row given without its line end. Columns 1 to 6 must hold values
// (a "No Mapping" row needs only the first three), column 7 may be left out
// but not left empty before a later value, and the last of them must be
// followed by a comma. Columns after the seventh are never read.
RowCheck CheckRow(std::string_view content);

#endif  // ZOR_MERGE_ROW_CHECK_H_
