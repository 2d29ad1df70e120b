#include "merge/csv_records.h"

#include "dictionary/mapping_columns.h"
#include "merge/row_check.h"
#include "text/quoted_value.h"

namespace {

// Where the carriage returns that end text[begin, end) start.
size_t WithoutReturns(std::string_view text, size_t begin, size_t end) {
  while (end > begin && text[end - 1] == '\r') --end;
  return end;
}

}  // namespace

std::vector<CsvRecord> SplitCsvRecords(std::string_view text) {
  std::vector<CsvRecord> records;
  size_t line = 1, start = 0, start_line = 1;
  bool quoted = false, cell_start = true;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\n') ++line;
    if (quoted) {
      // A doubled quote is one quote and keeps the cell open.
      if (c == '"') quoted = false;
      continue;
    }
    if (c == '"' && cell_start) quoted = true;
    cell_start = c == ',';
    if (c != '\n') continue;
    records.push_back({start_line, text.substr(start, WithoutReturns(text, start, i) - start)});
    start = i + 1, start_line = line, cell_start = true;
  }
  if (start < text.size()) {
    records.push_back(
        {start_line, text.substr(start, WithoutReturns(text, start, text.size()) - start)});
  }
  return records;
}

CsvCells ReadCsvCells(std::string_view record) {
  CsvCells cells;
  size_t i = 0;
  for (;;) {
    size_t column = cells.values.size();
    std::string value;
    if (i < record.size() && record[i] == '"') {
      cells.quoted = true;
      for (++i;; ++i) {
        if (i >= record.size()) {
          cells.problem = ColumnLabel(column) + " opens a quote that is never closed";
          return cells;
        }
        if (record[i] != '"') {
          value += record[i];
        } else if (i + 1 < record.size() && record[i + 1] == '"') {
          value += '"', ++i;
        } else {
          break;
        }
      }
      ++i;
      if (i < record.size() && record[i] != ',') {
        cells.problem = ColumnLabel(column) + " goes on after the quote that closes it";
        return cells;
      }
      if (NoRowCanHold(value)) {
        const bool comma = value.find_first_of("\r\n") == std::string::npos;
        cells.problem = ColumnLabel(column) + " holds a " + (comma ? "comma" : "line end") +
                        " in its quotes (" + Quoted(value) + "): no row of the table can hold one" +
                        (comma ? ", the reader splits on every comma" : "");
        return cells;
      }
    } else {
      size_t comma = record.find(',', i);
      value =
          record.substr(i, comma == std::string_view::npos ? std::string_view::npos : comma - i);
      i += value.size();
    }
    cells.values.push_back(std::move(value));
    if (i >= record.size()) return cells;
    ++i;  // the comma
    if (i == record.size()) {
      cells.values.emplace_back();
      return cells;
    }
  }
}

char ForeignSeparator(std::string_view text) {
  size_t commas = 0, semicolons = 0, tabs = 0;
  bool quoted = false;
  for (char c : text) {
    if (c == '"') quoted = !quoted;
    if (quoted) continue;
    if (c == '\n') {
      if (commas + semicolons + tabs > 0) break;
      continue;
    }
    commas += c == ',' ? 1 : 0;
    semicolons += c == ';' ? 1 : 0;
    tabs += c == '\t' ? 1 : 0;
  }
  // A row of the table has at least two separators; a value may hold a
  // semicolon or a tab now and then.
  if (semicolons >= 2 && semicolons > commas && semicolons >= tabs) return ';';
  if (tabs >= 2 && tabs > commas) return '\t';
  return '\0';
}
