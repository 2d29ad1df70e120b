// The mapping table seen through the run's own lookups: which class row a
// class gets (the first one), and which rows after it the attribute walk
// reads as the class's own. Rows placed by a merge go where these lookups
// find them.
#ifndef ZOR_MERGE_TABLE_BLOCKS_H_
#define ZOR_MERGE_TABLE_BLOCKS_H_

#include <cstddef>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "dictionary/view_pair_hash.h"
#include "merge/text_lines.h"

class TableBlocks {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // Takes the table's text over, so that a large table is not copied.
  explicit TableBlocks(std::string table_text);
  TableBlocks(const TableBlocks&) = delete;
  TableBlocks& operator=(const TableBlocks&) = delete;

  // The table's lines as the user edits them.
  const std::vector<TextLine>& Lines() const { return lines_; }
  // Where the table reader stops early: the offset of the first NUL byte.
  std::optional<size_t> NulOffset() const { return nul_; }

  // The line of the class's first class row, or kNone.
  size_t FirstClassRow(std::string_view name, std::string_view parent) const;
  // For a class the reader finds no class row of: the first line that a
  // person reads as its class row, written with other letter case or in a
  // form the reader misreads (see misread_rows.h); kNone when none is.
  size_t NearClassRow(std::string_view name, std::string_view parent) const;
  // The line before which a new attribute row of the class whose class
  // row is `class_row` goes: past the rows whose first field matches `name`
  // as the attribute walk compares it, and before the next class row.
  size_t BlockEnd(size_t class_row, std::string_view name) const;
  // The first line between the class row and `block_end` that the
  // attribute walk takes for `label`, or kNone.
  size_t RowTakenFor(size_t class_row, size_t block_end, std::string_view label) const;

 private:
  // The line as the run reads it: with its line end, the last line with
  // the one the run appends.
  std::string_view RunLine(size_t line) const;

  // The text as the run holds it: the table, then the line end the run
  // appends.
  std::string run_text_;
  std::vector<TextLine> lines_;
  std::optional<size_t> nul_;
  // The first class row of each class, keyed by its first two fields
  // unescaped; unescaped names that differ from the text live in the pool.
  std::unordered_map<ViewPair, size_t, ViewPairHash> class_rows_;
  std::deque<std::string> pool_;
  // Built when first asked for: the class rows as a person reads them,
  // keyed by name and parent with ASCII letters in lower case.
  mutable std::optional<std::map<std::pair<std::string, std::string>, size_t>> near_rows_;
  // The block RowTakenFor read last: its class row and end, and per
  // attribute label the first line taken for it.
  mutable std::pair<size_t, size_t> taken_in_{kNone, kNone};
  mutable std::map<std::string, size_t, std::less<>> taken_;
};

#endif  // ZOR_MERGE_TABLE_BLOCKS_H_
