#include "merge/merged_table.h"

namespace {

void VisitInsertions(const MergePlan& plan, size_t before, std::string_view end,
                     const LineVisitor& visit) {
  auto it = plan.insertions.find(before);
  if (it == plan.insertions.end()) return;
  for (std::string_view content : it->second)
    visit({LineChange::kInserted, before, {content, end}});
}

}  // namespace

void VisitMergedLines(const std::vector<TextLine>& table, const MergePlan& plan,
                      const LineVisitor& visit) {
  std::string_view end = LineEndStyle(table);
  bool rows_at_end = plan.insertions.count(table.size()) != 0;
  for (size_t i = 0; i < table.size(); ++i) {
    VisitInsertions(plan, i, end, visit);
    MergedLine line{LineChange::kKept, i, table[i]};
    auto replacement = plan.replacements.find(i);
    if (replacement != plan.replacements.end()) {
      line.change = LineChange::kReplaced;
      line.line.content = replacement->second;
    }
    // Only the last line can lack a "\n"; rows placed after it need one. A
    // last line that stops at carriage returns gets only the "\n": the
    // reader keeps them in the row, so the row reads as it did. That "\n" is
    // the one the run appends, which follows the table's text.
    if (!line.line.end.ends_with('\n') && rows_at_end) {
      line.change = LineChange::kReplaced;
      std::string_view returns = line.line.end;
      line.line.end = returns.empty() ? end : std::string_view(returns.data(), returns.size() + 1);
    }
    visit(line);
  }
  VisitInsertions(plan, table.size(), end, visit);
}

std::vector<MergedLine> MergedLines(const std::vector<TextLine>& table, const MergePlan& plan) {
  std::vector<MergedLine> merged;
  VisitMergedLines(table, plan, [&merged](const MergedLine& line) { merged.push_back(line); });
  return merged;
}

std::vector<std::string_view> MergedPieces(const std::vector<TextLine>& table,
                                           const MergePlan& plan) {
  std::vector<std::string_view> pieces;
  auto add = [&pieces](std::string_view piece) {
    if (piece.empty()) return;
    // Lines kept in place follow each other in the table's text.
    if (!pieces.empty() && pieces.back().data() + pieces.back().size() == piece.data()) {
      pieces.back() = std::string_view(pieces.back().data(), pieces.back().size() + piece.size());
    } else {
      pieces.push_back(piece);
    }
  };
  VisitMergedLines(table, plan, [&add](const MergedLine& merged) {
    add(merged.line.content);
    add(merged.line.end);
  });
  return pieces;
}
std::string JoinPieces(const std::vector<std::string_view>& pieces) {
  size_t size = 0;
  for (std::string_view piece : pieces) size += piece.size();
  std::string text;
  text.reserve(size);
  for (std::string_view piece : pieces) text.append(piece);
  return text;
}
