// How the table's bytes are encoded. The table reader takes bytes as UTF-8
// text and nothing else: a byte-order mark becomes part of the first class
// name, UTF-16 text (what spreadsheets save as "Unicode text") holds a NUL
// byte in every ASCII character, where the reader stops.
#ifndef ZOR_LINT_TABLE_ENCODING_H_
#define ZOR_LINT_TABLE_ENCODING_H_

#include <string>
#include <string_view>

#include "lint/hazard.h"

enum class TableEncoding { kUtf8, kUtf8Bom, kUtf16Le, kUtf16Be, kUtf32Le, kUtf32Be, kBinary };

struct DecodedTable {
  TableEncoding encoding = TableEncoding::kUtf8;
  // The text as UTF-8 without a byte-order mark: what its author sees in
  // an editor. Empty for binary data.
  std::string text;
};

DecodedTable DecodeTable(std::string_view bytes);
// The same, taking the bytes over: UTF-8 text keeps their buffer, so a large
// table is not held twice.
DecodedTable DecodeTable(std::string&& bytes);

// "UTF-16 LE", "binary data"... for messages.
const char* EncodingName(TableEncoding encoding);

bool IsWideText(TableEncoding encoding);

// The encoding hazards: a byte-order mark, wide text, bytes that are not
// UTF-8, a NUL byte.
void ScanEncoding(const DecodedTable& table, Hazards& hazards);

#endif  // ZOR_LINT_TABLE_ENCODING_H_
