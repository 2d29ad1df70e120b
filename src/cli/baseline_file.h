// The file `zorvez check --baseline` names, read whole (up to a limit) into
// its fingerprints, and read again once the run is over for what it says of
// the findings gone (of JSON Lines, only their lines); it is not held in
// between, so that a baseline costs the run its fingerprints' memory alone.
#ifndef ZOR_CLI_BASELINE_FILE_H_
#define ZOR_CLI_BASELINE_FILE_H_

#include <cstddef>
#include <string>
#include <vector>

#include "output/baseline_reader.h"
#include "output/finding_stamps.h"
#include "output/gone_findings.h"

// Larger than the SARIF log of a table of a million rows: a larger file is
// not an output of check, and reading it would only cost time.
constexpr size_t kMostBaselineBytes = size_t{1} << 30;

class BaselineFile {
 public:
  // Returns an empty text, or why the file is no baseline, as
  // "PATH: reason" or "PATH:LINE: reason".
  std::string Load(const std::string& path);

  BaselineFingerprints& Fingerprints() { return fingerprints_; }
  // What the file says of the fingerprints in `gone` (nothing, should it
  // have gone meanwhile).
  std::vector<GoneFinding> ReadGone(const FingerprintSet& gone) const;

 private:
  std::string path_;
  BaselineFormat format_ = BaselineFormat::kJsonLines;
  BaselineFingerprints fingerprints_;
};

#endif  // ZOR_CLI_BASELINE_FILE_H_
