#include "merge/completed_rows.h"

#include "merge/text_lines.h"
#include "text/text_helpers.h"

namespace {

std::string Unescaped(std::string_view value) {
  ZORUnicodeString plain(value);
  AmpTogglePlain(plain);
  return std::move(plain.str());
}

}  // namespace

std::vector<CompletedRow> ReadCompletedRows(std::string_view text) {
  // Spreadsheet programs may save the file with a byte-order mark; it marks
  // the encoding, and would otherwise become part of the first class name.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  std::vector<CompletedRow> rows;
  std::vector<TextLine> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].content.empty()) continue;
    CompletedRow row;
    row.lineNumber = i + 1;
    row.content = lines[i].content;
    row.check = CheckRow(row.content);
    std::vector<std::string_view> columns = Columns(row.content);
    if (columns.size() > 0) row.name = Unescaped(columns[0]);
    if (columns.size() > 1) row.parent = Unescaped(columns[1]);
    if (columns.size() > 2) row.attribute = Unescaped(columns[2]);
    rows.push_back(std::move(row));
  }
  return rows;
}
