// Reads the fingerprints out of an earlier output of `zorvez check`, the
// baseline a later run is held against: its JSON Lines (the fingerprint of
// every finding and hazard record; hazard records of a zorvez that wrote
// none are passed over) or its SARIF log (each result's partialFingerprints
// under kFingerprintKey; results the log marks absent are left out).
// Which of the two it is, is told from the text. Only what the fingerprints
// need is kept, so a baseline of any size costs its fingerprints' memory
// (what it says of the findings gone is read once the run is over:
// output/gone_findings.h).
#ifndef ZOR_OUTPUT_BASELINE_READER_H_
#define ZOR_OUTPUT_BASELINE_READER_H_

#include <string>
#include <string_view>

#include "output/finding_stamps.h"

enum class BaselineFormat { kJsonLines, kSarif };

struct BaselineReading {
  BaselineFormat format = BaselineFormat::kJsonLines;
  long line = 0;       // of the problem, from 1; 0 for the text as a whole
  std::string reason;  // empty when the text is a baseline
};

BaselineReading ReadBaseline(std::string_view text, BaselineFingerprints& fingerprints);

// Which of the two outputs `text` is: a record of JSON Lines is an object
// with a "record" member on a line of its own; the first line of a SARIF
// log never is.
BaselineFormat BaselineFormatOf(std::string_view text);

#endif  // ZOR_OUTPUT_BASELINE_READER_H_
