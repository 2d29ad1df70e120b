// One merge of a completed proposed-mapping file into a mapping table, from
// the two texts to the merged text: the rows read and checked, the plan,
// and the merged lines. All or nothing unless a partial merge is asked for.
#ifndef ZOR_MERGE_TABLE_MERGE_H_
#define ZOR_MERGE_TABLE_MERGE_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "merge/completed_rows.h"
#include "merge/merge_plan.h"
#include "merge/merged_table.h"
#include "merge/table_blocks.h"

class TableMerge {
 public:
  // Why a usable completed row cannot be merged although the table takes
  // it (it names what the dictionaries lack); empty when it can be.
  using NameCheck = std::function<std::string(const CompletedRow&)>;

  // `completed_text` must outlive the merge; the table's text is taken over.
  TableMerge(std::string table_text, std::string_view completed_text,
             const NameCheck& check_names = {});

  // Why nothing can be merged into this table at all; empty when rows can.
  const std::string& TableProblem() const { return table_problem_; }
  // The same in a few words, for the summary: "the table cannot be read
  // past its NUL byte".
  const std::string& TableProblemBriefly() const { return table_problem_briefly_; }
  // Why the completed file cannot be read as rows; empty when it can.
  const std::string& CompletedProblem() const { return completed_.Problem(); }
  const CompletedFile& Completed() const { return completed_; }
  const std::vector<CompletedRow>& Rows() const { return completed_.Rows(); }
  const MergePlan& Plan() const { return plan_; }
  const std::vector<TextLine>& TableLines() const { return table_.Lines(); }

  // Whether the merged table differs from the table.
  bool Changes(bool partial) const;
  // The merged table: the table unchanged when a row is refused or in
  // conflict and `partial` is false.
  std::vector<MergedLine> Lines(bool partial) const;
  // The same as pieces to write one after the other.
  std::vector<std::string_view> Pieces(bool partial) const;
  std::string Text(bool partial) const { return JoinPieces(Pieces(partial)); }

 private:
  // The plan, or no change at all when the merge is held back.
  const MergePlan& PlanApplied(bool partial) const;

  TableBlocks table_;
  CompletedFile completed_;
  std::string table_problem_;
  std::string table_problem_briefly_;
  MergePlan plan_;
};

#endif  // ZOR_MERGE_TABLE_MERGE_H_
