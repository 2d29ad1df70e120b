// What a baseline says of the findings a run no longer finds, read once
// the run is over: enough to name each in the text and to write it into the
// SARIF log as an absent result, where it was last.
#ifndef ZOR_OUTPUT_GONE_FINDINGS_H_
#define ZOR_OUTPUT_GONE_FINDINGS_H_

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "output/finding_stamps.h"

// Where a gone finding was: one of the run's files as JSON Lines say it (a
// finding's row is in the table, else its element in the dictionary to
// migrate; a hazard record may name its file), or a SARIF log's URI.
struct GonePlace {
  enum class File { kTable, kSource, kPath, kUri };
  File file = File::kSource;
  std::string name;       // kPath: the path as written; kUri: the URI
  bool relative = false;  // kUri: relative to the log's %SRCROOT%
  long line = 0;          // 0 when the baseline does not say
  long column = 0;
};

struct GoneFinding {
  Fingerprint fingerprint;
  // "RECORD/FINDING" ("class/badly_mapped") or "hazard/CODE" from JSON
  // Lines; the result's ruleId from a SARIF log.
  std::string rule;
  std::string verdict;  // empty for a hazard, or when the baseline does not say
  std::string message;
  GonePlace place;
};

// Reads the line of the baseline that starts at a byte offset, without its
// line end; false where it cannot.
using BaselineLineReader = std::function<bool(size_t start, std::string& line)>;

// What a baseline of JSON Lines that ReadBaseline took into `baseline` says
// of the findings in `gone`, in the order of its text: only their records
// are read again, each alone, by `read_line`.
std::vector<GoneFinding> ReadGoneRecords(const BaselineFingerprints& baseline,
                                         const FingerprintSet& gone,
                                         const BaselineLineReader& read_line);

// What a SARIF log says of the results in `gone`, in its order.
std::vector<GoneFinding> ReadGoneResults(std::string_view log, const FingerprintSet& gone);

// What the baseline `text` (which ReadBaseline took without a problem, into
// `baseline`) says of the findings in `gone`, in its order.
std::vector<GoneFinding> ReadGoneFindings(std::string_view text,
                                          const BaselineFingerprints& baseline,
                                          const FingerprintSet& gone);

#endif  // ZOR_OUTPUT_GONE_FINDINGS_H_
