// The form of one table row as a person or a spreadsheet wrote it: the
// columns split on every comma, CSV quoting, the comma that ends a row.
// The table reader knows none of CSV's rules: it splits on every comma,
// skips empty columns, and leaves the line end on the last value.
#ifndef ZOR_LINT_ROW_FORM_H_
#define ZOR_LINT_ROW_FORM_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lint/hazard.h"

// The values of a CSV-quoted row with the quoting undone; nothing when the
// row is not quoted or its quoting does not close on this line.
std::optional<std::vector<std::string>> UnquotedColumns(std::string_view content);

// The row as its author meant it for the reader: CSV quoting undone where
// no value holds a comma, and the comma that ends a row added after a
// class row's domain or an attribute row's target attribute. Equal to
// `content` when nothing needs mending.
std::string RepairedRow(std::string_view content);

// Character column (from 1) where byte `offset` of `content` starts.
long CharacterColumn(std::string_view content, size_t offset);

// The form hazards of the row on line `line`, given without its line end.
void ScanRowForm(std::string_view content, long line, Hazards& hazards);

// Whether the carriage return of a CR LF line end lands in one of the
// seven fields the reader uses (it does where the line end is not after a
// last comma), where it spoils a comparison; rows that the repairs end with
// a comma are judged as repaired.
bool CarriageReturnInField(std::string_view content, std::string_view end);

#endif  // ZOR_LINT_ROW_FORM_H_
