#include "merge/completed_rows.h"

#include "merge/csv_records.h"
#include "text/text_helpers.h"

namespace {

std::string Unescaped(std::string_view value) {
  ZORUnicodeString plain(value);
  AmpTogglePlain(plain);
  return std::move(plain.str());
}

std::string Joined(const std::vector<std::string>& values, size_t count) {
  std::string row;
  for (size_t i = 0; i < count; ++i) {
    if (i > 0) row += ',';
    row += values[i];
  }
  return row;
}

std::string SeparatorProblem(char separator) {
  std::string name = separator == ';' ? "semicolons" : "tabs";
  return "its values are separated by " + name +
         ", but the mapping table is split on commas only: save it again as CSV with the "
         "comma as field delimiter (a spreadsheet asks for the delimiter when it saves as "
         "CSV, under its filter or export settings)";
}

}  // namespace

CompletedFile::CompletedFile(std::string_view bytes) {
  DecodeText(bytes, decoded_);
  problem_ = decoded_.problem;
  if (problem_.empty()) {
    if (char separator = ForeignSeparator(decoded_.text)) problem_ = SeparatorProblem(separator);
  }
  if (!problem_.empty()) return;
  for (const CsvRecord& record : SplitCsvRecords(decoded_.text)) {
    if (!record.text.empty()) ReadRecord(record.line_number, record.text);
  }
}

std::string_view CompletedFile::Keep(std::string text, std::string_view as_in_file) {
  if (text == as_in_file) return as_in_file;
  pool_.push_back(std::move(text));
  return pool_.back();
}

// A CSV tool writes a row as its cells: quoted where it likes, padded with
// empty cells up to the widest row, and without the comma that ends a row
// of the table. The row goes into the table as its values followed by that
// comma; a row that is refused is shown as written, quotes undone.
void CompletedFile::ReadRecord(size_t line_number, std::string_view record) {
  CompletedRow row;
  row.line_number = line_number;
  CsvCells cells = ReadCsvCells(record);
  if (!cells.problem.empty()) {
    row.content = record;
    row.check = CheckRow(record);
    if (row.check.fault != RowFault::kNulByte) {
      row.check.fault = RowFault::kCsvCell;
      row.check.reason = cells.problem;
    }
  } else {
    size_t count = cells.values.size();
    while (count > 0 && cells.values[count - 1].empty()) --count;
    if (count == 0) return;  // a row of empty cells, as a spreadsheet pads a blank line
    std::string table_form = Joined(cells.values, count) + ",";
    row.check = CheckRow(table_form);
    if (row.check.Usable()) {
      repairs_.unquoted += cells.quoted ? 1 : 0;
      repairs_.closed += count == cells.values.size() ? 1 : 0;
      repairs_.unpadded += cells.values.size() > count + 1 ? 1 : 0;
      row.content = Keep(std::move(table_form), record);
    } else {
      row.content = Keep(Joined(cells.values, cells.values.size()), record);
      row.check = CheckRow(row.content);
    }
  }
  std::vector<std::string_view> columns = Columns(row.content);
  if (columns.size() > 0) row.name = Unescaped(columns[0]);
  if (columns.size() > 1) row.parent = Unescaped(columns[1]);
  if (columns.size() > 2) row.attribute = Unescaped(columns[2]);
  rows_.push_back(std::move(row));
}
