// Runs one comparison for the subcommands that show its findings, and hands
// each finding over as a JSON record, in the order of the defined report,
// then the summary record. The records are documented in doc/findings.md.
#ifndef ZOR_CLI_FINDING_RECORDS_H_
#define ZOR_CLI_FINDING_RECORDS_H_

#include <functional>
#include <string>

#include <nlohmann/json.hpp>

#include "cli/cli_streams.h"

struct FindingRunOptions {
  std::string sourcePath;   // the dictionary to migrate
  std::string targetPath;   // the target V5 dictionary
  std::string mappingPath;  // the mapping table
  bool v5v5 = false;
  bool oldFormat = false;
};

using RecordVisitor = std::function<void(const nlohmann::json& record)>;

// Returns kExitClean after the summary record was handed over, or
// kExitTrouble after reporting on `io.err` why an input cannot be used (no
// record is handed over then).
int RunFindingRecords(const FindingRunOptions& options, CliStreams& io,
                      const RecordVisitor& visit);

#endif  // ZOR_CLI_FINDING_RECORDS_H_
