#include "merge/table_blocks.h"

#include <deque>
#include <string>

#include "dictionary/parsed_line.h"

namespace {

ZORUnicodeString RunText(std::string table_text) {
  table_text += '\n';
  return ZORUnicodeString(std::move(table_text));
}

}  // namespace

TableBlocks::TableBlocks(std::string table_text)
    : runText_(RunText(std::move(table_text))), index_(runText_) {
  std::string_view table = runText_.str();
  table.remove_suffix(1);
  lines_ = SplitLines(table);
  size_t nul = table.find('\0');
  if (nul != std::string_view::npos) nul_ = nul;
}

size_t TableBlocks::FirstClassRow(std::string_view name, std::string_view parent) const {
  size_t row = index_.FirstClassRow(name, parent);
  return row < lines_.size() ? row : kNone;
}

size_t TableBlocks::BlockEnd(size_t class_row, std::string_view name) const {
  std::deque<std::string> pool;
  size_t line = class_row + 1;
  for (; line < lines_.size(); ++line) {
    pool.clear();
    ParsedLine row = index_.Line(line, pool);
    if (row.Raw(3) == "*" || !FieldMatches(row.Plain(1), name)) break;
  }
  return line;
}

size_t TableBlocks::RowTakenFor(size_t class_row, size_t block_end, std::string_view label) const {
  std::deque<std::string> pool;
  for (size_t line = class_row + 1; line < block_end; ++line) {
    pool.clear();
    if (index_.Line(line, pool).Plain(3) == label) return line;
  }
  return kNone;
}
