#include "compare/table_lookups.h"

#include "dictionary/dictionary_queries.h"
#include "text/text_helpers.h"

namespace {

const ParsedLine& ReadRowLinearly(PassState& pass) {
  RunContext& context = pass.context;
  context.currentLine = ReadNextLine(context.mappingText, context.mappingPosition);
  pass.linearPool.clear();
  pass.linearRow = ParseLine(context.currentLine.str(), pass.linearPool);
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
  RunContext& context = pass.context;
  if (!pass.table) {
    return findClassRow(context.mappingText, context.mappingPosition, context.currentLine, name,
                        parent);
  }
  const MappingIndex& table = *pass.table;
  size_t row = table.FirstClassRow(name.str(), parent.str());
  ClassRowLookup lookup;
  lookup.found = row != MappingIndex::kNone;
  // Without a class row the scan ends on the last line it read.
  if (!lookup.found) row = table.LineCount() - 1;
  std::deque<std::string> pool;
  ParsedLine line = table.Line(row, pool);
  context.currentLine = ZORUnicodeString(line.text);
  context.mappingPosition = table.PositionAfter(row);
  if (!line.Plain(7).empty()) lookup.mapDomain = ZORUnicodeString(line.Plain(7));
  return lookup;
}

const ParsedLine& ReadRow(PassState& pass) {
  if (!pass.table) return ReadRowLinearly(pass);
  RunContext& context = pass.context;
  const MappingIndex& table = *pass.table;
  size_t row = table.LineAt(context.mappingPosition);
  // Scans stand on the start of a line, or past the end of the text where
  // the line reader gives empty text.
  if (table.LineStart(row) != context.mappingPosition) return ReadRowLinearly(pass);
  context.mappingPosition = table.PositionAfter(row);
  const ParsedLine& line = CachedLine(pass, row);
  context.currentLine.str().assign(line.text);  // reuses the line's storage
  return line;
}

bool TableNamesTargetClass(PassState& pass, const ZORUnicodeString& name) {
  if (!pass.table) return CheckParent(name, pass.context.mappingText) == 1;
  return pass.table->NamesTargetClass(name.str());
}

void ForEachChildClassRow(PassState& pass, const ZORUnicodeString& parent,
                          const std::function<void(std::string_view)>& visit) {
  if (pass.table) {
    std::deque<std::string> pool;
    for (size_t row : pass.table->ClassRowsWithParent(parent.str())) {
      visit(pass.table->Line(row, pool).Plain(1));
    }
    return;
  }
  // The scan keeps its own position: the shared one is left as it was.
  long position = 0;
  const ZORUnicodeString& text = pass.context.mappingText;
  std::deque<std::string> pool;
  while (position <= text.GetLengthInChar()) {
    ZORUnicodeString line = ReadNextLine(text, position);
    pool.clear();
    ParsedLine row = ParseLine(line.str(), pool);
    if (row.Plain(2) == parent.str() && FieldMatches(row.Raw(3), "*")) visit(row.Plain(1));
  }
}
