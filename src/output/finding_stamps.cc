#include "output/finding_stamps.h"

const char* BaselineStateName(BaselineState state) {
  return state == BaselineState::kUnchanged ? "unchanged" : "new";
}

void FindingStamps::Accept(const ClassFindings& batch) {
  batch_.clear();
  fingerprints_.Take(batch, prints_);
  for (const Fingerprint& print : prints_) {
    FindingStamp stamp{print, BaselineState::kNone};
    if (baseline_ != nullptr) {
      bool known = baseline_->count(stamp.fingerprint) > 0;
      stamp.state = known ? BaselineState::kUnchanged : BaselineState::kNew;
      (known ? counts_.unchanged : counts_.new_findings) += 1;
    }
    batch_.push_back(stamp);
  }
}

BaselineCounts FindingStamps::Counts() const {
  BaselineCounts counts = counts_;
  // A run's fingerprints are distinct, so each unchanged finding matched
  // one baseline entry of its own.
  if (baseline_ != nullptr) counts.gone = static_cast<long>(baseline_->size()) - counts.unchanged;
  return counts;
}
