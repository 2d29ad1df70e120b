#include "lint/table_analysis.h"

#include "lint/row_form.h"

TableAnalysis::TableAnalysis(std::string_view bytes, const TableNames* names)
    : decoded_(DecodeTable(bytes)) {
  ScanEncoding(decoded_, hazards_);
  lines_ = SplitLines(decoded_.text);
  for (size_t i = 0; i < lines_.size(); ++i) {
    ScanRowForm(lines_[i].content, static_cast<long>(i + 1), hazards_);
  }
  ScanStructure(lines_, hazards_);
  if (names != nullptr) names->Scan(lines_, hazards_);
  SortByPlace(hazards_);
}
