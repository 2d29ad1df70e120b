#include "lint/table_analysis.h"

#include "lint/row_form.h"
#include "merge/row_check.h"

namespace {

// The class, parent and attribute columns of a row, as written.
std::vector<std::string> RowNames(std::string_view content) {
  std::vector<std::string_view> columns = Columns(content);
  columns.resize(std::min<size_t>(columns.size(), 3));
  return {columns.begin(), columns.end()};
}

}  // namespace

TableAnalysis::TableAnalysis(std::string_view bytes, const TableNames* names)
    : decoded_(DecodeTable(bytes)) {
  Analyse(names);
}

TableAnalysis::TableAnalysis(std::string&& bytes, const TableNames* names)
    : decoded_(DecodeTable(std::move(bytes))) {
  Analyse(names);
}

void TableAnalysis::Analyse(const TableNames* names) {
  ScanEncoding(decoded_, hazards_);
  lines_ = SplitLines(decoded_.text);
  for (size_t i = 0; i < lines_.size(); ++i) {
    long line = static_cast<long>(i + 1);
    ScanRowForm(lines_[i].content, line, hazards_);
    if (CarriageReturnInField(lines_[i].content, lines_[i].end)) {
      hazards_.push_back({HazardCode::kCarriageReturn, HazardSeverity::kWarning, line,
                          CharacterColumn(lines_[i].content, lines_[i].content.size()),
                          "the carriage return of the CR LF line end stays in the row's last "
                          "value the reader uses, which then equals nothing it is compared with",
                          "end every line with LF alone"});
    }
  }
  ScanStructure(lines_, hazards_);
  if (names != nullptr) names->Scan(lines_, decoded_.text, hazards_);
  SortByPlace(hazards_);
  for (Hazard& hazard : hazards_) {
    const auto line = static_cast<size_t>(hazard.line);
    if (hazard.file != HazardFile::kTable || !hazard.names.empty() ||
        ConcernsWholeFile(hazard.code) || line == 0 || line > lines_.size()) {
      continue;
    }
    hazard.names = RowNames(lines_[line - 1].content);
  }
}
