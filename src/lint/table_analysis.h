// Every hazard of a mapping table, from its bytes: the one analysis that
// zorvez lint shows in full and zorvez check warns from.
#ifndef ZOR_LINT_TABLE_ANALYSIS_H_
#define ZOR_LINT_TABLE_ANALYSIS_H_

#include <string>
#include <string_view>
#include <vector>

#include "lint/hazard.h"
#include "lint/table_encoding.h"
#include "lint/table_names.h"
#include "lint/table_structure.h"
#include "merge/text_lines.h"

class TableAnalysis {
 public:
  // `names`, when given, also holds the rows' names against the
  // dictionaries.
  explicit TableAnalysis(std::string_view bytes, const TableNames* names = nullptr);
  // The same, taking the bytes over (a large table is then not held twice).
  explicit TableAnalysis(std::string&& bytes, const TableNames* names = nullptr);
  TableAnalysis(const TableAnalysis&) = delete;
  TableAnalysis& operator=(const TableAnalysis&) = delete;

  TableEncoding Encoding() const { return decoded_.encoding; }
  // The table as UTF-8 text without a byte-order mark, and its lines.
  std::string_view Text() const { return decoded_.text; }
  const std::vector<TextLine>& Lines() const { return lines_; }
  // In the order of the file.
  const Hazards& Found() const { return hazards_; }

 private:
  void Analyse(const TableNames* names);

  DecodedTable decoded_;
  std::vector<TextLine> lines_;
  Hazards hazards_;
};

#endif  // ZOR_LINT_TABLE_ANALYSIS_H_
