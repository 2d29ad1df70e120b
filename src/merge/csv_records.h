// A completed file as CSV tools write it: a cell that starts with a double
// quote runs to the quote that closes it ("" standing for one quote) and
// may hold commas and line ends, so one record can span lines. The table
// has no quoting: its rows are the unquoted values joined by commas.
#ifndef ZOR_MERGE_CSV_RECORDS_H_
#define ZOR_MERGE_CSV_RECORDS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct CsvRecord {
  size_t line_number = 0;  // of its first line, from 1
  std::string_view text;   // without its line end (carriage returns before it included)
};

// The records of `text`; the views point into it. A quote left open runs
// to the end of the text.
std::vector<CsvRecord> SplitCsvRecords(std::string_view text);

struct CsvCells {
  std::vector<std::string> values;  // unquoted
  bool quoted = false;              // some cell was written in quotes
  std::string problem;              // why the record cannot be a row of the table
};

// The record's cells with their quotes undone. A value holding a comma or a
// line end is a problem: no row of the table can hold it.
CsvCells ReadCsvCells(std::string_view record);

// The separator of a file whose first row is split by semicolons or tabs
// rather than commas, or '\0'.
char ForeignSeparator(std::string_view text);

#endif  // ZOR_MERGE_CSV_RECORDS_H_
