#include "output/finding_stamps.h"

const char* BaselineStateName(BaselineState state) {
  switch (state) {
    case BaselineState::kUnchanged:
      return "unchanged";
    case BaselineState::kAbsent:
      return "absent";
    default:
      return "new";
  }
}

FindingStamp FindingStamps::Stamped(const Fingerprint& print, bool passes) {
  FindingStamp stamp{print, BaselineState::kNone};
  if (baseline_ == nullptr) return stamp;
  auto known = baseline_->find(print);
  const bool unchanged = known != baseline_->end();
  if (unchanged) known->second.found = true;
  if (passes) return stamp;
  stamp.state = unchanged ? BaselineState::kUnchanged : BaselineState::kNew;
  (unchanged ? counts_.unchanged : counts_.new_findings) += 1;
  return stamp;
}

void FindingStamps::Accept(const ClassFindings& batch) {
  batch_.clear();
  fingerprints_.Take(batch, prints_);
  for (size_t i = 0; i < prints_.size(); ++i) {
    const bool passes = green_passes_ && batch.findings[i].verdict == Verdict::kGreen;
    batch_.push_back(Stamped(prints_[i], passes));
  }
}

FindingStamp FindingStamps::Stamp(const Hazard& hazard) {
  return Stamped(hazard_fingerprints_.Take(hazard), false);
}

BaselineCounts FindingStamps::Counts() const {
  BaselineCounts counts = counts_;
  if (baseline_ == nullptr) return counts;
  for (const auto& [print, entry] : *baseline_) counts.gone += !entry.found && Counted(entry);
  return counts;
}

FingerprintSet FindingStamps::Gone() const {
  FingerprintSet gone;
  if (baseline_ == nullptr) return gone;
  for (const auto& [print, entry] : *baseline_) {
    if (!entry.found && Counted(entry)) gone.insert(print);
  }
  return gone;
}
