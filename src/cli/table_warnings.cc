#include "cli/table_warnings.h"

#include "cli/hazard_lines.h"
#include "lint/table_analysis.h"

namespace {

constexpr size_t kShown = 5;

}  // namespace

int TableWarnings(const TableInput& table, CliStreams& io, Hazards& warnings) {
  if (!table.read.ok()) return kExitClean;
  const std::string& table_path = table.path;
  TableAnalysis analysis(table.bytes());
  if (IsWideText(analysis.Encoding())) {
    ReportError(io, table_path + ": is " + EncodingName(analysis.Encoding()) +
                        " text, not the UTF-8 the run reads, so no row would be found; "
                        "'zorvez lint --fix " +
                        table_path + "' converts it");
    return kExitTrouble;
  }
  if (analysis.Encoding() == TableEncoding::kBinary) {
    ReportError(io, table_path + ": holds binary data, not text: not a mapping table");
    return kExitTrouble;
  }
  for (const Hazard& hazard : analysis.Found()) {
    if (ChangesWhatRunReads(hazard.code)) warnings.push_back(hazard);
  }
  return kExitClean;
}

void ReportTableWarnings(const std::string& table_path, CliStreams& io, const Hazards& warnings) {
  if (warnings.empty()) return;
  size_t count = warnings.size();
  ReportError(io, table_path + ": warning: " + std::to_string(count) +
                      (count == 1 ? " hazard changes" : " hazards change") +
                      " what the run reads from the table; 'zorvez lint " + table_path +
                      "' lists " + (count == 1 ? "it" : "them all") +
                      (count > kShown ? ", the first " + std::to_string(kShown) + ":" : ":"));
  for (size_t i = 0; i < count && i < kShown; ++i) {
    io.err << "  " << HazardTextLine(table_path, warnings[i]);
  }
}
