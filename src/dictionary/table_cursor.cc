#include "dictionary/table_cursor.h"

#include <cassert>

TableCursor::TableCursor(const ZORUnicodeString& text) : text_(text) {
  // Without the line end the scans would never read the empty line at the
  // end, and the rows of the last class would end differently.
  assert(text.str().ends_with('\n') && "the table text ends with the line end the run appends");
}

void TableCursor::MoveTo(long position) {
  assert(position >= 0 && position <= text_.GetLengthInChar() + 1 &&
         "a cursor moves only to places inside the text or just past it");
  position_ = position;
}
