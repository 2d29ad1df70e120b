// What zorvez check says about the table itself before its findings: a
// table that is not UTF-8 text stops the check, and the hazards that change
// what the run reads are warned of, so that findings they cause are not
// taken at face value.
#ifndef ZOR_CLI_TABLE_WARNINGS_H_
#define ZOR_CLI_TABLE_WARNINGS_H_

#include <string>

#include "comparison_run/comparison_run.h"
#include "lint/hazard.h"
#include "platform/cli_streams.h"

// Returns kExitTrouble after reporting why when the table is wide or binary
// data; otherwise kExitClean with the warnings in `warnings`. A table that
// cannot be read gives no warning here: the run reports it.
int TableWarnings(const TableInput& table, CliStreams& io, Hazards& warnings);

// Their count and the first few, on standard error.
void ReportTableWarnings(const std::string& table_path, CliStreams& io, const Hazards& warnings);

#endif  // ZOR_CLI_TABLE_WARNINGS_H_
