// The hazards of a mapping table as zorvez shows them: one line each,
// "TABLE.csv:LINE:COL: severity: message [code]" as compilers write, or a
// JSON Lines record (doc/hazards.schema.json).
#ifndef ZOR_CLI_HAZARD_LINES_H_
#define ZOR_CLI_HAZARD_LINES_H_

#include <string>
#include <string_view>

#include "lint/hazard.h"

// `state` replaces the severity word: "fixed" for a repair made.
std::string HazardTextLine(std::string_view table_path, const Hazard& hazard,
                           std::string_view state = {});

// {"record":"hazard",...}; `record` "fixed" for a repair made. `file`, when
// given, names the file the line is in, for a hazard outside the table.
std::string HazardJsonLine(const Hazard& hazard, std::string_view record = "hazard",
                           std::string_view file = {});

#endif  // ZOR_CLI_HAZARD_LINES_H_
