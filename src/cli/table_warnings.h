// What zorvez check takes from the table itself before its findings: a
// table that is not UTF-8 text stops the check, and the hazards that change
// what the run reads, or leave a row it never reads, are findings of the
// check, so that findings they cause are not taken at face value.
#ifndef ZOR_CLI_TABLE_WARNINGS_H_
#define ZOR_CLI_TABLE_WARNINGS_H_

#include "comparison_run/comparison_run.h"
#include "lint/hazard.h"
#include "platform/cli_streams.h"

// Returns kExitTrouble after reporting why when the table is wide or binary
// data; otherwise kExitClean with the hazards in `hazards`. A table that
// cannot be read gives no hazard here: the run reports it.
int TableWarnings(const TableInput& table, CliStreams& io, Hazards& hazards);

#endif  // ZOR_CLI_TABLE_WARNINGS_H_
