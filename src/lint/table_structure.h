// The table's structure as the lookups read it: the first class row of a
// class and parent wins, and a class's attribute rows are read only from
// the line after that row until the first row of another class.
#ifndef ZOR_LINT_TABLE_STRUCTURE_H_
#define ZOR_LINT_TABLE_STRUCTURE_H_

#include <cstddef>
#include <vector>

#include "lint/hazard.h"
#include "merge/text_lines.h"

// An attribute row the lookup never reaches, and the class row whose block
// it belongs in.
struct UnreachableRow {
  size_t line;       // from 0
  size_t class_row;  // from 0
};

// Reports duplicate class rows and attribute rows that are out of reach or
// have no class row, and returns the rows that moving would repair.
std::vector<UnreachableRow> ScanStructure(const std::vector<TextLine>& lines, Hazards& hazards);

// The rows of the block that the class row at `class_row` heads, the class
// row included: it runs until the first row of another class.
size_t BlockEnd(const std::vector<TextLine>& lines, size_t class_row);

#endif  // ZOR_LINT_TABLE_STRUCTURE_H_
