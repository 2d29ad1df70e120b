#include "merge/merge_plan.h"

#include <tuple>
#include <utility>

#include "merge/misread_rows.h"
#include "merge/text_lines.h"
#include "text/quoted_value.h"
#include "text/text_helpers.h"

namespace {

using ClassKey = std::pair<std::string, std::string>;
using AttributeKey = std::tuple<std::string, std::string, std::string>;

// What the table will hold for one class once the rows planned so far are
// in.
struct ClassState {
  size_t table_row = TableBlocks::kNone;  // its first class row in the table
  size_t block_end = TableBlocks::kNone;  // found when first needed
  std::string_view class_row;             // the class row the lookups will find; empty if none
  size_t class_row_line = 0;              // the completed line it comes from; 0 for the table's
  bool completable = false;               // the table's class row is an uncompleted proposal
  size_t new_block = 0;                   // from 1, the new block the class starts
  size_t conflict_line = 0;               // the first class row of the class in conflict
  size_t refused_line = 0;                // the first class row of the class refused
  // Why no row of the class can be merged: the table line it would build
  // on is misread, or names the class otherwise. Empty when rows can be.
  std::string blocked;
  size_t blocked_line = 0;  // from 1, in the table
};

struct NewBlock {
  size_t class_row;                // index into the completed rows
  std::vector<size_t> attributes;  // the same, in file order
};

std::string LineRef(size_t line) { return "line " + std::to_string(line); }
std::string TableLineRef(size_t index) { return "table line " + std::to_string(index + 1); }

std::string ClassNamed(std::string_view name, std::string_view parent) {
  return "class " + Quoted(name) + " (parent " + Quoted(parent) + ")";
}

std::string ClassNamed(const CompletedRow& row) { return ClassNamed(row.name, row.parent); }

std::string Unescaped(std::string_view value) {
  ZORUnicodeString plain(value);
  AmpTogglePlain(plain);
  return std::move(plain.str());
}

constexpr const char* kRepairFirst =
    "; repair the table first (zorvez lint --fix lists and repairs it)";

class Planner {
 public:
  Planner(const TableBlocks& table, const std::vector<CompletedRow>& rows)
      : table_(table), rows_(rows) {}

  MergePlan Plan(const std::vector<std::string>& name_problems) {
    plan_.results.resize(rows_.size());
    std::vector<bool> usable(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i) {
      bool misnamed = i < name_problems.size() && !name_problems[i].empty();
      usable[i] = rows_[i].check.Usable() && !misnamed;
      if (!rows_[i].check.Usable()) {
        RefuseUnusable(i, rows_[i].check.reason);
      } else if (misnamed) {
        RefuseUnusable(i, name_problems[i]);
      }
    }
    for (size_t i = 0; i < rows_.size(); ++i) {
      if (usable[i] && rows_[i].check.class_row) PlanClassRow(i);
    }
    for (size_t i = 0; i < rows_.size(); ++i) {
      if (usable[i] && !rows_[i].check.class_row) PlanAttributeRow(i);
    }
    AppendNewBlocks();
    return std::move(plan_);
  }

 private:
  ClassState& State(const CompletedRow& row) {
    auto [it, added] = classes_.try_emplace(ClassKey{row.name, row.parent});
    ClassState& state = it->second;
    if (!added) return state;
    state.table_row = table_.FirstClassRow(row.name, row.parent);
    if (state.table_row != TableBlocks::kNone) {
      state.class_row = table_.Lines()[state.table_row].content;
      state.completable = CheckRow(state.class_row).fault == RowFault::kEmptyColumn;
      if (!state.completable) BlockOnMisreadClassRow(state);
    } else {
      BlockOnNearClassRow(row, state);
    }
    return state;
  }

  // Rows placed into the block of a class row the reader misreads would be
  // read with it.
  void BlockOnMisreadClassRow(ClassState& state) {
    std::string misread = MisreadClassRow(state.class_row, state.table_row == 0);
    if (misread.empty()) return;
    state.blocked_line = state.table_row + 1;
    state.blocked = "its class row in the table, " + TableLineRef(state.table_row) + ", " +
                    Quoted(state.class_row) + ", is misread: " + misread + kRepairFirst;
  }

  // A class the reader finds no row of, but a person reading the table
  // does: merging would give it a second class row, or one under a name
  // that differs from the table's only in letter case.
  void BlockOnNearClassRow(const CompletedRow& row, ClassState& state) {
    size_t near = table_.NearClassRow(row.name, row.parent);
    if (near == TableBlocks::kNone) return;
    std::string_view content = table_.Lines()[near].content;
    std::vector<std::string> meant = MeantValues(content, near == 0);
    state.blocked_line = near + 1;
    if (Unescaped(meant[0]) == row.name && Unescaped(meant[1]) == row.parent) {
      state.blocked = TableLineRef(near) + ", " + Quoted(content) +
                      ", is the class row of this class, but the reader cannot read it: " +
                      MisreadClassRow(content, near == 0) + kRepairFirst;
      return;
    }
    state.blocked = "the table names this class with other letter case on " + TableLineRef(near) +
                    ", and the reader compares names letter for letter: " + "did you mean " +
                    ClassNamed(Unescaped(meant[0]), Unescaped(meant[1])) + "?";
  }

  bool Blocked(size_t i, const ClassState& state) {
    if (state.blocked.empty()) return false;
    Set(i, RowOutcome::kRefused, state.blocked, state.blocked_line);
    return true;
  }

  void Set(size_t i, RowOutcome outcome, std::string reason = "", size_t table_line = 0) {
    plan_.results[i] = {outcome, table_line, std::move(reason)};
  }

  void RefuseUnusable(size_t i, const std::string& reason) {
    const CompletedRow& row = rows_[i];
    Set(i, RowOutcome::kRefused, reason);
    bool named = row.check.fault != RowFault::kUnnameable && row.check.fault != RowFault::kNulByte;
    if (!row.check.class_row || !named) return;
    ClassState& state = State(row);
    if (state.refused_line == 0) state.refused_line = row.line_number;
  }

  void PlanClassRow(size_t i) {
    const CompletedRow& row = rows_[i];
    ClassState& state = State(row);
    if (Blocked(i, state)) {
      if (state.refused_line == 0) state.refused_line = row.line_number;
    } else if (!state.class_row.empty() && state.class_row == row.content) {
      Set(i, RowOutcome::kAlreadyPresent);
    } else if (state.completable) {
      state.completable = false;
      Set(i, RowOutcome::kCompletedInPlace,
          "completes the uncompleted class row " + Quoted(state.class_row), state.table_row + 1);
      plan_.replacements[state.table_row] = row.content;
      state.class_row = row.content;
      state.class_row_line = row.line_number;
    } else if (!state.class_row.empty()) {
      if (state.conflict_line == 0) state.conflict_line = row.line_number;
      ClassConflict(i, state);
    } else {
      new_blocks_.push_back({i, {}});
      state.new_block = new_blocks_.size();
      state.class_row = row.content;
      state.class_row_line = row.line_number;
      Set(i, RowOutcome::kNewBlock);
    }
  }

  void ClassConflict(size_t i, const ClassState& state) {
    if (state.class_row_line != 0) {
      Set(i, RowOutcome::kConflict,
          "conflicts with " + LineRef(state.class_row_line) +
              ", the class row merged for this class: the first class row of a class wins");
      return;
    }
    Set(i, RowOutcome::kConflict,
        "conflicts with " + TableLineRef(state.table_row) + ", " + Quoted(state.class_row) +
            ": a class row already in the table is never overridden",
        state.table_row + 1);
  }

  void PlanAttributeRow(size_t i) {
    const CompletedRow& row = rows_[i];
    ClassState& state = State(row);
    if (Blocked(i, state)) {
      return;
    } else if (state.conflict_line != 0) {
      Set(i, RowOutcome::kRefused,
          "the class row of its class on " + LineRef(state.conflict_line) +
              " is in conflict, so the class's attribute rows wait for it");
    } else if (state.class_row.empty()) {
      RefuseWithoutClassRow(i, state);
    } else if (!PlacedBefore(i)) {
      Place(i, state);
    }
  }

  void RefuseWithoutClassRow(size_t i, const ClassState& state) {
    const CompletedRow& row = rows_[i];
    if (state.refused_line != 0) {
      Set(i, RowOutcome::kRefused,
          "its class row on " + LineRef(state.refused_line) +
              " is refused and the table has none for " + ClassNamed(row) +
              ": the reader finds attribute rows only after their class row");
      return;
    }
    Set(i, RowOutcome::kRefused,
        "no class row for " + ClassNamed(row) +
            " in the table or in this file: the reader finds attribute rows only after their "
            "class row");
  }

  // Settles a row whose attribute an earlier completed row already placed.
  bool PlacedBefore(size_t i) {
    const CompletedRow& row = rows_[i];
    auto it = attributes_.find(AttributeKey{row.name, row.parent, row.attribute});
    if (it == attributes_.end()) return false;
    const CompletedRow& earlier = rows_[it->second];
    if (earlier.content == row.content) {
      Set(i, RowOutcome::kAlreadyPresent);
    } else {
      Set(i, RowOutcome::kConflict,
          "conflicts with " + LineRef(earlier.line_number) + ", which gives attribute " +
              Quoted(row.attribute) + " of this class another row");
    }
    return true;
  }

  void Place(size_t i, ClassState& state) {
    const CompletedRow& row = rows_[i];
    if (state.new_block != 0) {
      new_blocks_[state.new_block - 1].attributes.push_back(i);
      attributes_[AttributeKey{row.name, row.parent, row.attribute}] = i;
      Set(i, RowOutcome::kNewBlock);
      return;
    }
    if (state.block_end == TableBlocks::kNone) {
      state.block_end = table_.BlockEnd(state.table_row, row.name);
    }
    size_t taken = table_.RowTakenFor(state.table_row, state.block_end, row.attribute);
    if (taken == TableBlocks::kNone) {
      plan_.insertions[state.block_end].push_back(row.content);
      attributes_[AttributeKey{row.name, row.parent, row.attribute}] = i;
      Set(i, RowOutcome::kIntoBlock);
    } else if (table_.Lines()[taken].content == row.content) {
      Set(i, RowOutcome::kAlreadyPresent, "", taken + 1);
    } else if (CheckRow(table_.Lines()[taken].content).fault == RowFault::kEmptyColumn) {
      // A badly mapped attribute row: the completion takes its place.
      plan_.replacements[taken] = row.content;
      attributes_[AttributeKey{row.name, row.parent, row.attribute}] = i;
      Set(i, RowOutcome::kCompletedInPlace,
          "completes the uncompleted attribute row " + Quoted(table_.Lines()[taken].content),
          taken + 1);
    } else {
      Set(i, RowOutcome::kConflict,
          "conflicts with " + TableLineRef(taken) + ", " + Quoted(table_.Lines()[taken].content) +
              ", which the reader takes first for attribute " + Quoted(row.attribute) +
              " of this class",
          taken + 1);
    }
  }

  void AppendNewBlocks() {
    if (new_blocks_.empty()) return;
    std::vector<std::string_view>& end = plan_.insertions[table_.Lines().size()];
    for (const NewBlock& block : new_blocks_) {
      end.push_back(rows_[block.class_row].content);
      for (size_t attribute : block.attributes) end.push_back(rows_[attribute].content);
    }
  }

  const TableBlocks& table_;
  const std::vector<CompletedRow>& rows_;
  MergePlan plan_;
  std::map<ClassKey, ClassState> classes_;
  std::map<AttributeKey, size_t> attributes_;
  std::vector<NewBlock> new_blocks_;
};

}  // namespace

bool MergePlan::HasProblems() const {
  return Count(RowOutcome::kRefused) + Count(RowOutcome::kConflict) > 0;
}

size_t MergePlan::Count(RowOutcome outcome) const {
  size_t count = 0;
  for (const RowResult& result : results) count += result.outcome == outcome ? 1 : 0;
  return count;
}

MergePlan PlanMerge(const TableBlocks& table, const std::vector<CompletedRow>& rows,
                    const std::vector<std::string>& name_problems) {
  return Planner(table, rows).Plan(name_problems);
}
