// The table cursor that reads the text line by line for every lookup, from
// the table's start or from its position, exactly as the run's scans are
// defined. It is the reference the indexed cursor is tested against.
#ifndef ZOR_DICTIONARY_SCANNING_CURSOR_H_
#define ZOR_DICTIONARY_SCANNING_CURSOR_H_

#include <deque>
#include <string>

#include "dictionary/table_cursor.h"

class ScanningCursor : public TableCursor {
 public:
  explicit ScanningCursor(const ZORUnicodeString& text) : TableCursor(text) {}

  ClassRowLookup FindClassRow(const ZORUnicodeString& name,
                              const ZORUnicodeString& parent) override;
  const ParsedLine& ReadRow() override;
  bool NamesTargetClass(const ZORUnicodeString& name) const override;
  void ForEachChildClassRow(std::string_view parent, const ChildRowVisitor& visit) const override;
  long LineNumberAt(long row_start) const override;

 private:
  // The row read last, and storage for its unescaped fields.
  ZORUnicodeString line_;
  ParsedLine row_;
  std::deque<std::string> pool_;
};

#endif  // ZOR_DICTIONARY_SCANNING_CURSOR_H_
