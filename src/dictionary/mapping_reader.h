// Loads the mapping table file: for the defined tool, into the text its run
// holds; for zorvez, once per command into bytes that every part of the
// command reads.
#ifndef ZOR_DICTIONARY_MAPPING_READER_H_
#define ZOR_DICTIONARY_MAPPING_READER_H_

#include <cstddef>
#include <string_view>

#include "platform/file_reader.h"
#include "text/zor_string.h"

// zorvez refuses a larger table or completed file: a mapping table of
// 16,000 classes with 20 attributes each is about 30 MB.
inline constexpr size_t kMostTableBytes = size_t{1} << 30;

// The table's bytes up to the first NUL byte it holds. Returns false when
// the file could not be opened. A read error ends the reading at once and
// keeps what was read, so a path naming a directory gives empty text.
bool ReadMappingTable(const char* path, ZORUnicodeString& text);

// The table read whole, for zorvez.
FileRead ReadTableFile(const std::string& path);

// The table as a run holds it: its bytes up to the first NUL and one line
// end more.
ZORUnicodeString RunTableText(std::string_view bytes);

#endif  // ZOR_DICTIONARY_MAPPING_READER_H_
