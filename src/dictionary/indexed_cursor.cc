#include "dictionary/indexed_cursor.h"

#include <algorithm>
#include <cassert>

ClassRowLookup IndexedCursor::FindClassRow(const ZORUnicodeString& name,
                                           const ZORUnicodeString& parent) {
  size_t row = index_.FirstClassRow(name.str(), parent.str());
  ClassRowLookup lookup;
  lookup.found = row != MappingIndex::kNone;
  // Without a class row the scan ends on the last line it read.
  if (!lookup.found) row = index_.LineCount() - 1;
  lookup_pool_.clear();
  ParsedLine line = index_.Line(row, lookup_pool_);
  lookup.row = line.text;
  lookup.row_start = index_.LineStart(row);
  std::string_view domain = line.Plain(MappingColumn::kDomain);
  if (!domain.empty()) lookup.map_domain = ZORUnicodeString(domain);
  SetPosition(index_.PositionAfter(row));
  return lookup;
}

const ParsedLine& IndexedCursor::ReadRow() {
  // Past the end the line reader gives empty text and moves on by one.
  if (PastEnd()) {
    SetPosition(Position() + 1);
    return empty_row_;
  }
  size_t row = index_.LineAt(Position());
  // The index knows whole lines only: a scan from inside a line would give
  // another row.
  assert(index_.LineStart(row) == Position() && "the cursor stands on the start of a row");
  SetPosition(index_.PositionAfter(row));
  return WindowRow(row);
}

// Keeps the rows read in a row since the last jump, up to a bound.
const ParsedLine& IndexedCursor::WindowRow(size_t row) {
  constexpr size_t kMostRows = 4096;
  if (row >= window_start_ && row < window_start_ + window_.size()) {
    return window_[row - window_start_];
  }
  if (row != window_start_ + window_.size() || window_.size() >= kMostRows) {
    window_.clear();
    window_pool_.clear();
    window_start_ = row;
  }
  window_.push_back(index_.Line(row, window_pool_));
  return window_.back();
}

bool IndexedCursor::NamesTargetClass(const ZORUnicodeString& name) const {
  return index_.NamesTargetClass(name.str());
}

void IndexedCursor::ForEachChildClassRow(std::string_view parent,
                                         const ChildRowVisitor& visit) const {
  std::deque<std::string> pool;
  for (size_t row : index_.ClassRowsWithParent(parent)) {
    visit(index_.Line(row, pool).Plain(MappingColumn::kSourceClass), index_.LineStart(row));
  }
}

long IndexedCursor::LineNumberAt(long row_start) const {
  return static_cast<long>(index_.LineAt(std::max(row_start, 0L))) + 1;
}
