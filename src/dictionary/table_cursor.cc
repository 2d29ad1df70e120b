#include "dictionary/table_cursor.h"

TableCursor::TableCursor(const ZORUnicodeString& text) : text_(text) {}

void TableCursor::MoveTo(long position) { position_ = position; }
