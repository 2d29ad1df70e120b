// The mapping table split once into lines and fields, with indexes that
// answer the lookups of a run without rescanning the table. Every answer is
// the one the scan from the table's start would give: first in file order.
#ifndef ZOR_DICTIONARY_MAPPING_INDEX_H_
#define ZOR_DICTIONARY_MAPPING_INDEX_H_

#include <cassert>
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "dictionary/parsed_line.h"
#include "dictionary/view_pair_hash.h"
#include "text/zor_string.h"

class MappingIndex {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  // `mapping_text` must stay unchanged while the index lives.
  explicit MappingIndex(const ZORUnicodeString& mapping_text);

  // The lines as the line reader yields them from position 0 until past the
  // end, the last one the empty text after the final line end.
  size_t LineCount() const { return starts_.size(); }
  // The line taken apart; unescaped fields that differ from what is written
  // go to `pool`.
  ParsedLine Line(size_t index, std::deque<std::string>& pool) const;
  // Position of the line's first character, and of the character after it.
  // `index` is below LineCount() here and in Line().
  long LineStart(size_t index) const {
    assert(index < starts_.size() && "a line of the table");
    return starts_[index];
  }
  long PositionAfter(size_t index) const;
  // The line that starts at `position`; positions at or past the end give
  // the last line.
  size_t LineAt(long position) const;

  // The first class row (third field "*") whose unescaped first two fields
  // are `name` and `parent`; kNone when there is none.
  size_t FirstClassRow(std::string_view name, std::string_view parent) const;
  // Whether any line's unescaped fourth field is `name`.
  bool NamesTargetClass(std::string_view name) const;
  // The class rows whose unescaped second field is `parent`, in file order.
  const std::vector<size_t>& ClassRowsWithParent(std::string_view parent) const;

 private:
  std::string_view text_;
  long text_length_;
  std::vector<long> starts_;
  // Unescaped key fields that differ from what is written.
  std::deque<std::string> pool_;
  std::unordered_map<ViewPair, size_t, ViewPairHash> class_rows_;
  std::unordered_set<std::string_view> target_classes_;
  std::unordered_map<std::string_view, std::vector<size_t>> children_;
};

#endif  // ZOR_DICTIONARY_MAPPING_INDEX_H_
