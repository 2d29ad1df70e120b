// What `zorvez check` adds to every finding and hazard it writes: its
// fingerprint and, with a baseline, whether the baseline has it already.
// Stamps are taken once per finding, before any renderer sees the batch, so
// that the fingerprints count each finding's occurrence once and every
// renderer and the exit status agree on what is new. Once the run is over,
// the baseline's fingerprints that no stamp matched are the findings gone.
// A green finding passes (unless the run fails on green): it is neither new
// nor unchanged, and one gone since the baseline is not counted, so that a
// baseline without passes (a SARIF log) and one with them say the same.
#ifndef ZOR_OUTPUT_FINDING_STAMPS_H_
#define ZOR_OUTPUT_FINDING_STAMPS_H_

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "compare/finding.h"
#include "lint/hazard.h"
#include "output/finding_fingerprint.h"

// What a baseline says of a fingerprint, and whether this run found it.
struct BaselineEntry {
  static constexpr size_t kNoOffset = static_cast<size_t>(-1);
  // Where its record starts in the baseline's text (JSON Lines), so that
  // what the baseline says of it can be read again alone.
  size_t offset = kNoOffset;
  bool green = false;  // the finding's verdict was green
  bool found = false;
};
using BaselineFingerprints = std::unordered_map<Fingerprint, BaselineEntry, FingerprintHash>;
using FingerprintSet = std::unordered_set<Fingerprint, FingerprintHash>;

enum class BaselineState { kNone, kNew, kUnchanged, kAbsent };

const char* BaselineStateName(BaselineState state);  // "new", "unchanged", "absent"

struct FindingStamp {
  Fingerprint fingerprint;
  BaselineState state = BaselineState::kNone;
};

struct BaselineCounts {
  long new_findings = 0;
  long unchanged = 0;
  long gone = 0;  // in the baseline, not found by this run
};

class FindingStamps : public FindingSink {
 public:
  // Without a baseline every stamp's state is kNone. The stamps mark in
  // `baseline` what they find. `green_passes` unless the run fails on green.
  explicit FindingStamps(BaselineFingerprints* baseline = nullptr, bool green_passes = true)
      : baseline_(baseline), green_passes_(green_passes) {}

  void Accept(const ClassFindings& batch) override;
  // The stamp of the finding at `index` of the batch accepted last.
  const FindingStamp& Of(size_t index) const { return batch_[index]; }
  // The stamp of a hazard, taken in the order the hazards are written.
  FindingStamp Stamp(const Hazard& hazard);
  bool HasBaseline() const { return baseline_ != nullptr; }
  BaselineCounts Counts() const;
  // The baseline's fingerprints that no stamp matched.
  FingerprintSet Gone() const;

 private:
  FindingStamp Stamped(const Fingerprint& print, bool passes);
  bool Counted(const BaselineEntry& entry) const { return !(entry.green && green_passes_); }

  BaselineFingerprints* baseline_;
  bool green_passes_;
  FindingFingerprints fingerprints_;
  HazardFingerprints hazard_fingerprints_;
  std::vector<Fingerprint> prints_;
  std::vector<FindingStamp> batch_;
  BaselineCounts counts_;
};

#endif  // ZOR_OUTPUT_FINDING_STAMPS_H_
