// Helpers applied to every value the program reads or writes: the line
// reader over the in-memory mapping table and the escaping rules.
#ifndef ZOR_TEXT_TEXT_HELPERS_H_
#define ZOR_TEXT_TEXT_HELPERS_H_

#include "text/zor_string.h"

// The line at `position` with its terminating "\n" (empty text at the end);
// leaves `position` on the first character of the next line, or one beyond
// the length at the end of the text.
ZORUnicodeString ReadNextLine(const ZORUnicodeString& text, long& position);

// Undoes one level of "&amp;" escaping.
void AmpTogglePlain(ZORUnicodeString& s);
// Escapes every "&" that does not begin "&amp;" or "&nbsp;".
void AmpToggleHTML(ZORUnicodeString& s);
// Escapes a value for an XML attribute of the proposed DDL, drops line ends
// and trailing blanks.
ZORUnicodeString CheckString(ZORUnicodeString s);
// A hook called on values after they are read; it changes nothing.
void FixWhiteSpace(ZORUnicodeString& s);
// Removes every blank but a leading one, then applies CheckString.
void RemoveWhiteSpace(ZORUnicodeString& s);

// Convenience forms that return the changed copy.
ZORUnicodeString Plain(ZORUnicodeString s);
ZORUnicodeString Html(ZORUnicodeString s);
ZORUnicodeString WithoutWhiteSpace(ZORUnicodeString s);

#endif  // ZOR_TEXT_TEXT_HELPERS_H_
