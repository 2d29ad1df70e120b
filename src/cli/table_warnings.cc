#include "cli/table_warnings.h"

#include "lint/table_analysis.h"

int TableWarnings(const TableInput& table, CliStreams& io, Hazards& hazards) {
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
    if (ChangesWhatRunReads(hazard.code)) hazards.push_back(hazard);
  }
  return kExitClean;
}
