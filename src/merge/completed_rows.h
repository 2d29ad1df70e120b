// The rows of a completed proposed-mapping file: the file a run writes,
// with its empty target columns filled in by the user, in a text editor or
// in a spreadsheet. What CSV tools write is taken back to the table's form:
// a byte-order mark passed over, UTF-16 read, CSV quotes undone, the empty
// columns that pad a row dropped and the comma that ends a row added. Both
// runs' row shapes are read alike; blank lines are passed over.
#ifndef ZOR_MERGE_COMPLETED_ROWS_H_
#define ZOR_MERGE_COMPLETED_ROWS_H_

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "merge/row_check.h"
#include "merge/unicode_text.h"

struct CompletedRow {
  size_t line_number = 0;    // from 1, in the completed file
  std::string_view content;  // in the table's form, without a line end
  RowCheck check;
  // The first three columns with "&amp;" undone, as the lookups compare
  // them; empty when the row does not have them.
  std::string name;
  std::string parent;
  std::string attribute;
};

// What was done to rows as CSV tools write them, counted.
struct CsvRepairs {
  size_t unquoted = 0;  // rows whose CSV quotes were undone
  size_t closed = 0;    // rows whose last value got the comma that ends it
  size_t unpadded = 0;  // rows whose padding empty columns were dropped

  bool Any() const { return unquoted + closed + unpadded > 0; }
};

class CompletedFile {
 public:
  // `bytes` must outlive the file.
  explicit CompletedFile(std::string_view bytes);
  CompletedFile(const CompletedFile&) = delete;
  CompletedFile& operator=(const CompletedFile&) = delete;

  // Why no row of the file can be read (an encoding or separator the table
  // cannot take); empty when rows were read.
  const std::string& Problem() const { return problem_; }
  TextEncoding Encoding() const { return decoded_.encoding; }
  const CsvRepairs& Repairs() const { return repairs_; }
  const std::vector<CompletedRow>& Rows() const { return rows_; }

 private:
  void ReadRecord(size_t line_number, std::string_view record);
  std::string_view Keep(std::string text, std::string_view as_in_file);

  DecodedText decoded_;
  std::string problem_;
  CsvRepairs repairs_;
  std::vector<CompletedRow> rows_;
  std::deque<std::string> pool_;  // rows that differ from their text in the file
};

#endif  // ZOR_MERGE_COMPLETED_ROWS_H_
