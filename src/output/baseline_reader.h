// Reads the fingerprints out of an earlier output of `zorvez check`, the
// baseline a later run is held against: its JSON Lines (the fingerprint of
// every finding record) or its SARIF log (each result's partialFingerprints
// under kFingerprintKey; results the log marks absent are left out).
// Which of the two it is, is told from the text. Only what the fingerprints
// need is kept, so a baseline of any size costs its fingerprints' memory.
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

#endif  // ZOR_OUTPUT_BASELINE_READER_H_
