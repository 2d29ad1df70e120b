// Where each completed row goes in the mapping table, or why it does not.
// A class row new to the table starts a block at the end, followed by its
// attribute rows in the completed file's order; an attribute row of a class
// the table has goes at the end of that class's block; a class row that the
// table holds as an uncompleted proposal is completed in place. Nothing
// already in the table is overridden or lost.
#ifndef ZOR_MERGE_MERGE_PLAN_H_
#define ZOR_MERGE_MERGE_PLAN_H_

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "merge/completed_rows.h"
#include "merge/table_blocks.h"

enum class RowOutcome {
  kNewBlock,          // a new class row at the end of the table, or an attribute row after it
  kIntoBlock,         // an attribute row at the end of its class's block in the table
  kCompletedInPlace,  // a class row replacing the table's uncompleted one
  kAlreadyPresent,    // the lookups already find the same row
  kRefused,           // the row would be misread, or its class cannot be found
  kConflict,          // the table or an earlier row says otherwise
};

struct RowResult {
  RowOutcome outcome = RowOutcome::kRefused;
  size_t table_line = 0;  // from 1: the table line replaced or in conflict; 0 for none
  std::string reason;     // why a row is refused or in conflict, or what it replaced
};

struct MergePlan {
  std::vector<RowResult> results;  // one per completed row, in the same order
  // Rows to put before the table line of that index (from 0); at the line
  // count for the end of the table.
  std::map<size_t, std::vector<std::string_view>> insertions;
  // Table lines (from 0) to replace by the given content.
  std::map<size_t, std::string_view> replacements;

  bool Changes() const { return !insertions.empty() || !replacements.empty(); }
  // Whether any row was refused or is in conflict.
  bool HasProblems() const;
  size_t Count(RowOutcome outcome) const;
};

// The rows' views must stay valid while the plan is used. A row with a
// non-empty entry in `name_problems` (same order) is refused for it.
MergePlan PlanMerge(const TableBlocks& table, const std::vector<CompletedRow>& rows,
                    const std::vector<std::string>& name_problems = {});

#endif  // ZOR_MERGE_MERGE_PLAN_H_
