// The mechanical repairs of a table: UTF-8 without a byte-order mark, the
// comma that ends a row, CSV quoting undone, attribute rows moved into
// their class's block. What a repair cannot decide (which of two class
// rows is meant, a name the dictionaries lack) is left to the user.
#ifndef ZOR_LINT_TABLE_FIX_H_
#define ZOR_LINT_TABLE_FIX_H_

#include <deque>
#include <string>
#include <vector>

#include "lint/table_analysis.h"
#include "merge/merged_table.h"

struct TableFix {
  // The repaired table, and its lines against the analysis's lines (for a
  // diff).
  std::string text;
  std::vector<MergedLine> lines;
  // The hazards of the analysis that the repairs remove.
  Hazards repaired;
  bool Changes() const { return !repaired.empty(); }
  // Owns the lines that `lines` changed; moving a TableFix keeps them where
  // they are.
  std::deque<std::string> storage;
};

TableFix FixTable(const TableAnalysis& analysis);

#endif  // ZOR_LINT_TABLE_FIX_H_
