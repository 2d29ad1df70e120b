// The table with a merge plan applied, line by line: every table line in
// its order, kept as written or replaced, and the placed rows between them.
// Placed rows end with the table's own line end; a last line that lacks
// one gets it when rows follow. `table` holds the lines of a text followed
// by the "\n" the run appends, as TableBlocks keeps it.
#ifndef ZOR_MERGE_MERGED_TABLE_H_
#define ZOR_MERGE_MERGED_TABLE_H_

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "merge/merge_plan.h"
#include "merge/text_lines.h"

// kRemoved: a table line left out (the merge never leaves one out; the
// repairs of zorvez lint move rows).
enum class LineChange { kKept, kReplaced, kInserted, kRemoved };

struct MergedLine {
  LineChange change = LineChange::kKept;
  size_t table_line = 0;  // from 0: the table line kept or replaced
  TextLine line;          // as it stands in the merged table
};

using LineVisitor = std::function<void(const MergedLine&)>;

// Hands the merged table's lines to `visit` in order.
void VisitMergedLines(const std::vector<TextLine>& table, const MergePlan& plan,
                      const LineVisitor& visit);

std::vector<MergedLine> MergedLines(const std::vector<TextLine>& table, const MergePlan& plan);

// The merged table as pieces to write one after the other: each run of
// table lines kept as they stand in the table's text is one piece.
std::vector<std::string_view> MergedPieces(const std::vector<TextLine>& table,
                                           const MergePlan& plan);

std::string JoinPieces(const std::vector<std::string_view>& pieces);

#endif  // ZOR_MERGE_MERGED_TABLE_H_
