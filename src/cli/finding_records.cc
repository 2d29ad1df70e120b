#include "cli/finding_records.h"

int RunFindingRecords(const FindingRunOptions&, CliStreams& io, const RecordVisitor&) {
  ReportError(io, "findings are not available yet");
  return kExitTrouble;
}
