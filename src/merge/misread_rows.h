// Table rows the reader takes otherwise than the person who wrote them
// meant: saved by a spreadsheet with quotes, a byte-order mark or another
// separator, or without the comma that ends a row. A merge never builds on
// such a row, and finds the class it was meant for to say so.
#ifndef ZOR_MERGE_MISREAD_ROWS_H_
#define ZOR_MERGE_MISREAD_ROWS_H_

#include <string>
#include <string_view>
#include <vector>

// How the reader misreads the class row `content` (without its line end),
// the first line of the table when `first_line`; empty when it reads it as
// meant. A class row that ends at its sixth column is read as meant: no
// lookup reads that column of a class row.
std::string MisreadClassRow(std::string_view content, bool first_line);

// The values of a table line as the person who wrote it meant them: a
// byte-order mark on the first line passed over, split on semicolons or
// tabs when the line has no comma, CSV quotes undone.
std::vector<std::string> MeantValues(std::string_view content, bool first_line);

#endif  // ZOR_MERGE_MISREAD_ROWS_H_
