// Loads the mapping table file into one text.
#ifndef ZOR_DICTIONARY_MAPPING_READER_H_
#define ZOR_DICTIONARY_MAPPING_READER_H_

#include "text/zor_string.h"

// The table's bytes up to the first NUL byte it holds. Returns false when
// the file could not be opened. A read error ends the reading at once and
// keeps what was read, so a path naming a directory gives empty text.
bool ReadMappingTable(const char* path, ZORUnicodeString& text);

#endif  // ZOR_DICTIONARY_MAPPING_READER_H_
