// Questions the comparison asks of a dictionary element and of the mapping
// table.
#ifndef ZOR_DICTIONARY_DICTIONARY_QUERIES_H_
#define ZOR_DICTIONARY_DICTIONARY_QUERIES_H_

#include <string_view>

#include "dictionary/migration_xml.h"
#include "text/zor_string.h"

// The attribute's value as the parser gives it; empty text when the node is
// null or has no such attribute.
ZORUnicodeString GetValueByTagName(MigrationXMLNode* node, ZORUnicodeString attribute_name);

// The same value as a view into the document, valid until it is released.
std::string_view AttributeView(MigrationXMLNode* node, const char* attribute_name);

// Whether some mapping row, class row or attribute row, names `parent` as
// its target class (fourth field, unescaped, identical).
bool CheckParent(ZORUnicodeString parent, const ZORUnicodeString& mapping_text);

#endif  // ZOR_DICTIONARY_DICTIONARY_QUERIES_H_
