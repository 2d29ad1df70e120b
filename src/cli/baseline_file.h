// The file `zorvez check --baseline` names, read whole (up to a limit) into
// its fingerprints.
#ifndef ZOR_CLI_BASELINE_FILE_H_
#define ZOR_CLI_BASELINE_FILE_H_

#include <cstddef>
#include <string>

#include "output/finding_stamps.h"

// Larger than the SARIF log of a table of a million rows: a larger file is
// not an output of check, and reading it would only cost time.
constexpr size_t kMostBaselineBytes = size_t{1} << 30;

// Returns an empty text, or why the file is no baseline, as
// "PATH: reason" or "PATH:LINE: reason".
std::string LoadBaseline(const std::string& path, BaselineFingerprints& fingerprints);

#endif  // ZOR_CLI_BASELINE_FILE_H_
