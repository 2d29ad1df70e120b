// Hazards as zorvez shows them: one line each,
// "FILE:LINE:COL: severity: message [code]" as compilers write, or a JSON
// Lines record (doc/hazards.schema.json; with a fingerprint in the output of
// zorvez check, doc/findings.schema.json).
#ifndef ZOR_OUTPUT_HAZARD_LINES_H_
#define ZOR_OUTPUT_HAZARD_LINES_H_

#include <string>
#include <string_view>

#include "lint/hazard.h"
#include "output/finding_stamps.h"

// `state` replaces the severity word: "fixed" for a repair made.
std::string HazardTextLine(std::string_view path, const Hazard& hazard,
                           std::string_view state = {});

// {"record":"hazard",...}; `record` "fixed" for a repair made. `file`, when
// given, names the file the line is in. `stamp`, when given, adds the
// hazard's fingerprint and, with a baseline, its state.
std::string HazardJsonLine(const Hazard& hazard, std::string_view record = "hazard",
                           std::string_view file = {}, const FindingStamp* stamp = nullptr);

// The path a hazard's record and line name: `source_path` for a hazard in
// the dictionary to migrate, else `table_path`.
std::string_view HazardPath(const Hazard& hazard, std::string_view table_path,
                            std::string_view source_path);

// Whether a hazard's record names its file: a name holding markup, which
// may be in either file, always does; the table's own hazards need not.
bool RecordNamesFile(const Hazard& hazard);

#endif  // ZOR_OUTPUT_HAZARD_LINES_H_
