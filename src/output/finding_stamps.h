// What `zorvez check` adds to every finding it writes: its fingerprint and,
// with a baseline, whether the baseline has it already. Stamps are taken
// once per finding, before any renderer sees the batch, so that the
// fingerprints count each finding's occurrence once and every renderer and
// the exit status agree on what is new.
#ifndef ZOR_OUTPUT_FINDING_STAMPS_H_
#define ZOR_OUTPUT_FINDING_STAMPS_H_

#include <unordered_set>
#include <vector>

#include "compare/finding.h"
#include "output/finding_fingerprint.h"

using BaselineFingerprints = std::unordered_set<Fingerprint, FingerprintHash>;

enum class BaselineState { kNone, kNew, kUnchanged };

const char* BaselineStateName(BaselineState state);  // "new", "unchanged"

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
  // Without a baseline every stamp's state is kNone.
  explicit FindingStamps(const BaselineFingerprints* baseline = nullptr) : baseline_(baseline) {}

  void Accept(const ClassFindings& batch) override;
  // The stamp of the finding at `index` of the batch accepted last.
  const FindingStamp& Of(size_t index) const { return batch_[index]; }
  bool HasBaseline() const { return baseline_ != nullptr; }
  BaselineCounts Counts() const;

 private:
  const BaselineFingerprints* baseline_;
  FindingFingerprints fingerprints_;
  std::vector<Fingerprint> prints_;
  std::vector<FindingStamp> batch_;
  BaselineCounts counts_;
};

#endif  // ZOR_OUTPUT_FINDING_STAMPS_H_
