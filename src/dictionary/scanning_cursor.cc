#include "dictionary/scanning_cursor.h"

#include <algorithm>

#include "dictionary/dictionary_queries.h"
#include "text/text_helpers.h"

ClassRowLookup ScanningCursor::FindClassRow(const ZORUnicodeString& name,
                                            const ZORUnicodeString& parent) {
  long position = 0;
  ClassRowLookup lookup = ::FindClassRow(Text(), position, name, parent);
  SetPosition(position);
  return lookup;
}

const ParsedLine& ScanningCursor::ReadRow() {
  long position = Position();
  line_ = ReadNextLine(Text(), position);
  SetPosition(position);
  pool_.clear();
  row_ = ParseLine(line_.str(), pool_);
  return row_;
}

bool ScanningCursor::NamesTargetClass(const ZORUnicodeString& name) const {
  return CheckParent(name, Text());
}

// The scan keeps a position of its own: the cursor's stays where it was.
void ScanningCursor::ForEachChildClassRow(std::string_view parent,
                                          const ChildRowVisitor& visit) const {
  long position = 0;
  std::deque<std::string> pool;
  while (position <= Text().GetLengthInChar()) {
    long start = position;
    ZORUnicodeString line = ReadNextLine(Text(), position);
    pool.clear();
    ParsedLine row = ParseLine(line.str(), pool);
    if (row.Plain(MappingColumn::kSourceParent) == parent &&
        FieldMatches(row.Raw(MappingColumn::kSourceAttribute), "*")) {
      visit(row.Plain(MappingColumn::kSourceClass), start);
    }
  }
}

long ScanningCursor::LineNumberAt(long row_start) const {
  std::string_view text = Text().str();
  std::string_view before = text.substr(0, static_cast<size_t>(std::max(row_start, 0L)));
  return 1 + static_cast<long>(std::count(before.begin(), before.end(), '\n'));
}
