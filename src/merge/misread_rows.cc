#include "merge/misread_rows.h"

#include "merge/csv_records.h"
#include "merge/row_check.h"
#include "merge/unicode_text.h"

namespace {

char LineSeparator(std::string_view content) {
  if (content.find(',') != std::string_view::npos) return ',';
  if (content.find(';') != std::string_view::npos) return ';';
  if (content.find('\t') != std::string_view::npos) return '\t';
  return ',';
}

}  // namespace

std::string MisreadClassRow(std::string_view content, bool first_line) {
  if (first_line && content.starts_with(kUtf8Mark)) {
    return "it starts with a byte-order mark, which the reader takes as part of the class name";
  }
  char separator = LineSeparator(content);
  if (separator != ',') {
    return std::string("its values are separated by ") +
           (separator == ';' ? "semicolons" : "tabs") + ", and the reader splits on commas only";
  }
  std::vector<std::string_view> columns = Columns(content);
  for (size_t i = 0; i < columns.size(); ++i) {
    if (columns[i].starts_with('"')) {
      return ColumnLabel(i) + " is in CSV quotes, which the reader keeps as part of the value";
    }
  }
  if (!columns.back().empty() && columns.size() != 6) {
    return ColumnLabel(columns.size() - 1) +
           " has no comma after it, so the reader takes the line end as part of it";
  }
  return "";
}

std::vector<std::string> MeantValues(std::string_view content, bool first_line) {
  if (first_line && content.starts_with(kUtf8Mark)) content.remove_prefix(kUtf8Mark.size());
  char separator = LineSeparator(content);
  std::vector<std::string> values;
  if (separator == ',') {
    CsvCells cells = ReadCsvCells(content);
    if (cells.problem.empty()) return std::move(cells.values);
  }
  size_t start = 0;
  for (size_t at = content.find(separator); at != std::string_view::npos;
       at = content.find(separator, start)) {
    values.emplace_back(content.substr(start, at - start));
    start = at + 1;
  }
  values.emplace_back(content.substr(start));
  return values;
}
