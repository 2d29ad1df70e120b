#include "compare/table_lookups.h"

#include <algorithm>

AttributeRowLookup LookUpAttributeRow(PassState& pass, long scan_start, std::string_view label,
                                      std::string_view row_name) {
  ComparisonState& state = pass.state;
  TableCursor& table = *pass.table;
  bool not_in_mapping = false;
  table.MoveTo(scan_start);
  while (!not_in_mapping && !table.PastEnd()) {
    long row_start = table.Position();
    const ParsedLine& row = table.ReadRow();
    DevTrace(state, {"      * Domain: ", row.Raw(MappingColumn::kDomain)});
    if ((!FieldMatches(label, row.Plain(MappingColumn::kSourceAttribute)) &&
         !FieldMatches(row.Plain(MappingColumn::kSourceClass), row_name)) ||
        table.PastEnd()) {
      not_in_mapping = true;
      DevTrace(state, "      * Attribute not in mapping!");
    }
    if (label != row.Plain(MappingColumn::kSourceAttribute)) continue;
    if (!not_in_mapping && row.text.find("No Mapping") != std::string_view::npos) {
      DevTrace(state, "      * NO MAPPING requested for attribute!");
      return {&row, row_start, true};
    }
    // Taken even when the end of the table has just ended the search.
    DevTrace(state, "      * FOUND attribute in mapping! Search in V5 XML.");
    return {&row, row_start};
  }
  return {};
}

std::optional<TableRowRef> RowAt(const PassState& pass, long start) {
  if (!pass.state.settings.row_references) return std::nullopt;
  std::string_view text = pass.table->Text().str();
  size_t begin = std::min(static_cast<size_t>(std::max(start, 0L)), text.size());
  TableRowRef row;
  row.line = pass.table->LineNumberAt(static_cast<long>(begin));
  size_t end = text.find('\n', begin);
  std::string_view written = text.substr(begin, end == std::string_view::npos ? end : end - begin);
  if (written.ends_with('\r')) written.remove_suffix(1);
  row.text = std::string(written);
  return row;
}
