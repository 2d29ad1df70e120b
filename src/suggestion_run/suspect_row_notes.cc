#include "suggestion_run/suspect_row_notes.h"

std::vector<std::string> SuspectRowNotes(const SuggestWork& work,
                                         const std::vector<SuspectRow>& rows,
                                         const std::string& table_path) {
  std::vector<std::string> notes;
  for (const SuspectRow& row : rows) {
    const SuggestInput& input = work.input;
    if (row.row_source >= input.source.size() || row.item >= input.class_items.size() ||
        row.target >= input.target.size()) {
      continue;
    }
    const SuggestClass& item = input.source[input.class_items[row.item]];
    const SuggestClass& target = input.target[row.target];
    const long line =
        row.row_source < work.class_row_line.size() ? work.class_row_line[row.row_source] : 0;
    const std::string where = line > 0 ? table_path + ":" + std::to_string(line) + ": " : "";
    const std::string& row_name = work.source_rows[row.row_source].name;
    notes.push_back(where + "row " + std::to_string(line) + " maps " + row_name + " onto " +
                    std::string(target.label.empty() ? target.key.view() : target.label.view()) +
                    ", the exact label of " +
                    std::string(item.label.empty() ? item.key.view() : item.label.view()) +
                    ", which no row maps: check the row");
  }
  return notes;
}
