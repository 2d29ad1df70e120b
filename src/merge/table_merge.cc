#include "merge/table_merge.h"

#include "merge/unicode_text.h"

namespace {

std::string NulProblem(size_t offset, const std::vector<TextLine>& lines) {
  size_t line = 0;
  for (size_t start = 0; line < lines.size(); ++line) {
    start += lines[line].Text().size();
    if (start > offset) break;
  }
  return "holds a NUL byte at byte offset " + std::to_string(offset) + " (line " +
         std::to_string(line + 1) +
         "): the table reader stops there, so rows placed after it would never be read";
}

}  // namespace

TableMerge::TableMerge(std::string table_text, std::string_view completed_text,
                       const NameCheck& check_names)
    : table_(std::move(table_text)), completed_(completed_text) {
  // Wide text holds a NUL byte in every ASCII character: said as what it is.
  std::string wide = table_.Lines().empty() ? "" : WideTextName(table_.Lines().front().Text());
  if (!wide.empty()) {
    table_problem_ = "is " + wide +
                     " (what spreadsheets save as \"Unicode text\"), not the "
                     "UTF-8 the run reads, so the run finds none of its rows; 'zorvez lint --fix' "
                     "converts the table to UTF-8";
    table_problem_briefly_ = "the table is " + wide + ", which the run cannot read";
    return;
  }
  if (table_.NulOffset()) {
    table_problem_ = NulProblem(*table_.NulOffset(), table_.Lines());
    table_problem_briefly_ = "the table cannot be read past its NUL byte";
    return;
  }
  std::vector<std::string> name_problems;
  if (check_names) {
    for (const CompletedRow& row : completed_.Rows())
      name_problems.push_back(row.check.Usable() ? check_names(row) : "");
  }
  plan_ = PlanMerge(table_, completed_.Rows(), name_problems);
}

bool TableMerge::Changes(bool partial) const {
  return table_problem_.empty() && CompletedProblem().empty() &&
         (partial || !plan_.HasProblems()) && plan_.Changes();
}

const MergePlan& TableMerge::PlanApplied(bool partial) const {
  static const MergePlan kNoChange;
  return Changes(partial) ? plan_ : kNoChange;
}

std::vector<MergedLine> TableMerge::Lines(bool partial) const {
  return MergedLines(table_.Lines(), PlanApplied(partial));
}

std::vector<std::string_view> TableMerge::Pieces(bool partial) const {
  return MergedPieces(table_.Lines(), PlanApplied(partial));
}
