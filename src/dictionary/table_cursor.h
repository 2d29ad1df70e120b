// A reading position in the mapping table, and the lookups a comparison
// makes there. The position carries over from one lookup to the next, as
// the run's scans are defined: the class-row lookup leaves the cursor on the
// line after the class row, and the rows of the class are read on from
// there. Two implementations give the same answers and leave the same
// position, byte for byte: ScanningCursor reads the text line by line for
// every lookup, as the scans are defined; IndexedCursor answers from indexes
// built once.
#ifndef ZOR_DICTIONARY_TABLE_CURSOR_H_
#define ZOR_DICTIONARY_TABLE_CURSOR_H_

#include <functional>
#include <string_view>

#include "dictionary/mapping_table.h"
#include "dictionary/parsed_line.h"
#include "text/zor_string.h"

class TableCursor {
 public:
  // Hands over a class row's unescaped first column and where the row starts.
  using ChildRowVisitor = std::function<void(std::string_view child, long row_start)>;

  // `text` is the table as a run holds it: the file's bytes followed by one
  // line end. It must stay unchanged while the cursor lives. The cursor
  // starts on the table's first line.
  explicit TableCursor(const ZORUnicodeString& text);
  virtual ~TableCursor() = default;
  TableCursor(const TableCursor&) = delete;
  TableCursor& operator=(const TableCursor&) = delete;

  const ZORUnicodeString& Text() const { return text_; }
  // Where the next row read starts.
  long Position() const { return position_; }
  // Whether the empty line after the text's last line end has been read.
  bool PastEnd() const { return position_ > text_.GetLengthInChar(); }
  // Returns to a place the cursor stood on before: a Position(), or a row's
  // start that a lookup gave.
  void MoveTo(long position);

  // From the table's first line, the first class row (third column "*")
  // whose unescaped first two columns equal `name` and `parent`. Leaves the
  // cursor on the line after it, or past the end when there is none.
  virtual ClassRowLookup FindClassRow(const ZORUnicodeString& name,
                                      const ZORUnicodeString& parent) = 0;
  // Reads the row at the position and moves past it. The row stays valid
  // until the next read. Past the end it is empty text, as the line reader
  // gives.
  virtual const ParsedLine& ReadRow() = 0;

  // The lookups below leave the position alone.

  // Whether some row, class row or attribute row, has `name` as its
  // unescaped target class.
  virtual bool NamesTargetClass(const ZORUnicodeString& name) const = 0;
  // Every class row whose unescaped second column equals `parent`, in file
  // order.
  virtual void ForEachChildClassRow(std::string_view parent,
                                    const ChildRowVisitor& visit) const = 0;
  // The 1-based number of the line that starts at `row_start`.
  virtual long LineNumberAt(long row_start) const = 0;

 protected:
  // For the implementations' reads.
  void SetPosition(long position) { position_ = position; }

 private:
  const ZORUnicodeString& text_;
  long position_ = 0;
};

#endif  // ZOR_DICTIONARY_TABLE_CURSOR_H_
