// The table cursor that answers from the mapping index, built once per
// pass, instead of rescanning the text: the same rows, the same answers and
// the same positions as the scans.
#ifndef ZOR_DICTIONARY_INDEXED_CURSOR_H_
#define ZOR_DICTIONARY_INDEXED_CURSOR_H_

#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "dictionary/mapping_index.h"
#include "dictionary/table_cursor.h"

class IndexedCursor : public TableCursor {
 public:
  explicit IndexedCursor(const ZORUnicodeString& text) : TableCursor(text), index_(text) {}

  ClassRowLookup FindClassRow(const ZORUnicodeString& name,
                              const ZORUnicodeString& parent) override;
  const ParsedLine& ReadRow() override;
  bool NamesTargetClass(const ZORUnicodeString& name) const override;
  void ForEachChildClassRow(std::string_view parent, const ChildRowVisitor& visit) const override;
  long LineNumberAt(long row_start) const override;

 private:
  const ParsedLine& WindowRow(size_t row);

  MappingIndex index_;
  // Storage for the unescaped fields of the class row found last.
  std::deque<std::string> lookup_pool_;
  // The rows read one after the other since the last jump, taken apart once:
  // the rows after a class row are read again for every attribute of the
  // class.
  size_t window_start_ = 0;
  std::vector<ParsedLine> window_;
  std::deque<std::string> window_pool_;
  // What a read past the end gives.
  ParsedLine empty_row_;
};

#endif  // ZOR_DICTIONARY_INDEXED_CURSOR_H_
