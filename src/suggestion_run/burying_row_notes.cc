#include "suggestion_run/burying_row_notes.h"

namespace {

std::string LabelOf(const SuggestClass& c) {
  return std::string(c.label.empty() ? c.key.view() : c.label.view());
}

}  // namespace

std::vector<BuryingRowWords> DescribeBuryingRows(const SuggestWork& work,
                                                 const std::vector<BuryingRow>& rows) {
  std::vector<BuryingRowWords> described;
  const SuggestInput& input = work.input;
  for (const BuryingRow& row : rows) {
    if (row.row_source >= input.source.size() || row.item >= input.class_items.size() ||
        row.target >= input.target.size() || row.row_source >= work.source_rows.size()) {
      continue;
    }
    BuryingRowWords words;
    words.line =
        row.row_source < work.class_row_line.size() ? work.class_row_line[row.row_source] : 0;
    words.row_class = work.source_rows[row.row_source].name;
    words.row_parent = work.source_rows[row.row_source].parent;
    words.item = LabelOf(input.source[input.class_items[row.item]]);
    words.sentence = "row " + std::to_string(words.line) + " maps " + words.row_class + " onto " +
                     LabelOf(input.target[row.target]) + ", the exact label of " + words.item +
                     ", which no row maps";
    described.push_back(std::move(words));
  }
  return described;
}

std::vector<std::string> BuryingRowNotes(const SuggestWork& work,
                                         const std::vector<BuryingRow>& rows,
                                         const std::string& table_path) {
  std::vector<std::string> notes;
  for (const BuryingRowWords& words : DescribeBuryingRows(work, rows)) {
    const std::string where =
        words.line > 0 ? table_path + ":" + std::to_string(words.line) + ": " : "";
    notes.push_back(where + words.sentence + ": check the row");
  }
  return notes;
}
