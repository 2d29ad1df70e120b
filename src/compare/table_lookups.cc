#include "compare/table_lookups.h"

#include <algorithm>

#include "dictionary/dictionary_queries.h"
#include "text/text_helpers.h"

namespace {

const ParsedLine& ReadRowLinearly(PassState& pass) {
  ComparisonState& state = pass.state;
  state.currentLine = ReadNextLine(state.mappingText, state.mappingPosition);
  pass.linearPool.clear();
  pass.linearRow = ParseLine(state.currentLine.str(), pass.linearPool);
  return pass.linearRow;
}

// Keeps the rows read in a row since the last jump, up to a bound.
const ParsedLine& CachedLine(PassState& pass, size_t row) {
  constexpr size_t kMostRows = 4096;
  if (row >= pass.windowStart && row < pass.windowStart + pass.window.size()) {
    return pass.window[row - pass.windowStart];
  }
  if (row != pass.windowStart + pass.window.size() || pass.window.size() >= kMostRows) {
    pass.window.clear();
    pass.windowPool.clear();
    pass.windowStart = row;
  }
  pass.window.push_back(pass.table->Line(row, pass.windowPool));
  return pass.window.back();
}

}  // namespace

ClassRowLookup LookUpClassRow(PassState& pass, const ZORUnicodeString& name,
                              const ZORUnicodeString& parent) {
  ComparisonState& state = pass.state;
  if (!pass.table) {
    return findClassRow(state.mappingText, state.mappingPosition, state.currentLine, name, parent);
  }
  const MappingIndex& table = *pass.table;
  size_t row = table.FirstClassRow(name.str(), parent.str());
  ClassRowLookup lookup;
  lookup.found = row != MappingIndex::kNone;
  // Without a class row the scan ends on the last line it read.
  if (!lookup.found) row = table.LineCount() - 1;
  std::deque<std::string> pool;
  ParsedLine line = table.Line(row, pool);
  state.currentLine = ZORUnicodeString(line.text);
  state.mappingPosition = table.PositionAfter(row);
  if (!line.Plain(MappingColumn::kDomain).empty()) {
    lookup.mapDomain = ZORUnicodeString(line.Plain(MappingColumn::kDomain));
  }
  return lookup;
}

const ParsedLine& ReadRow(PassState& pass) {
  if (!pass.table) return ReadRowLinearly(pass);
  ComparisonState& state = pass.state;
  const MappingIndex& table = *pass.table;
  size_t row = table.LineAt(state.mappingPosition);
  // Scans stand on the start of a line, or past the end of the text where
  // the line reader gives empty text.
  if (table.LineStart(row) != state.mappingPosition) return ReadRowLinearly(pass);
  state.mappingPosition = table.PositionAfter(row);
  const ParsedLine& line = CachedLine(pass, row);
  state.currentLine.str().assign(line.text);  // reuses the line's storage
  return line;
}

AttributeRowLookup LookUpAttributeRow(PassState& pass, long scan_start, std::string_view label,
                                      std::string_view row_name) {
  ComparisonState& state = pass.state;
  bool not_in_mapping = false;
  state.mappingPosition = scan_start;
  while (!not_in_mapping && state.mappingPosition <= state.mappingText.GetLengthInChar()) {
    long row_start = state.mappingPosition;
    const ParsedLine& row = ReadRow(pass);
    DevTrace(state, {"      * Domain: ", row.Raw(MappingColumn::kDomain)});
    if ((!FieldMatches(label, row.Plain(MappingColumn::kSourceAttribute)) &&
         !FieldMatches(row.Plain(MappingColumn::kSourceClass), row_name)) ||
        state.mappingPosition > state.mappingText.GetLengthInChar()) {
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

bool TableNamesTargetClass(PassState& pass, const ZORUnicodeString& name) {
  if (!pass.table) return CheckParent(name, pass.state.mappingText) == 1;
  return pass.table->NamesTargetClass(name.str());
}

void ForEachChildClassRow(PassState& pass, const ZORUnicodeString& parent,
                          const std::function<void(std::string_view, long)>& visit) {
  if (pass.table) {
    std::deque<std::string> pool;
    for (size_t row : pass.table->ClassRowsWithParent(parent.str())) {
      visit(pass.table->Line(row, pool).Plain(MappingColumn::kSourceClass),
            pass.table->LineStart(row));
    }
    return;
  }
  // The scan keeps its own position: the shared one is left as it was.
  long position = 0;
  const ZORUnicodeString& text = pass.state.mappingText;
  std::deque<std::string> pool;
  while (position <= text.GetLengthInChar()) {
    long start = position;
    ZORUnicodeString line = ReadNextLine(text, position);
    pool.clear();
    ParsedLine row = ParseLine(line.str(), pool);
    if (row.Plain(MappingColumn::kSourceParent) == parent.str() &&
        FieldMatches(row.Raw(MappingColumn::kSourceAttribute), "*")) {
      visit(row.Plain(MappingColumn::kSourceClass), start);
    }
  }
}

std::optional<TableRowRef> RowAt(const PassState& pass, long start) {
  if (!pass.state.settings.rowReferences) return std::nullopt;
  std::string_view text = pass.state.mappingText.str();
  size_t begin = std::min(static_cast<size_t>(std::max(start, 0L)), text.size());
  TableRowRef row;
  if (pass.table) {
    row.line = static_cast<long>(pass.table->LineAt(static_cast<long>(begin))) + 1;
  } else {
    row.line = 1 + std::count(text.begin(), text.begin() + static_cast<long>(begin), '\n');
  }
  size_t end = text.find('\n', begin);
  std::string_view written = text.substr(begin, end == std::string_view::npos ? end : end - begin);
  if (written.ends_with('\r')) written.remove_suffix(1);
  row.text = std::string(written);
  return row;
}
