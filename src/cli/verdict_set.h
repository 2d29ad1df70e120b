// A set of verdicts, as a `--fail-on` list names them.
#ifndef ZOR_CLI_VERDICT_SET_H_
#define ZOR_CLI_VERDICT_SET_H_

#include <bitset>
#include <string_view>

#include "compare/finding.h"
#include "output/finding_names.h"

class VerdictSet {
 public:
  bool Has(Verdict verdict) const { return bits_.test(static_cast<size_t>(verdict)); }
  void Add(Verdict verdict) { bits_.set(static_cast<size_t>(verdict)); }

 private:
  std::bitset<kVerdictCount> bits_;
};

// "red,blue,purple", or "none" for the empty set. Throws UsageError on a
// name that is not a verdict.
VerdictSet ParseVerdictList(std::string_view list);

// Notes whether any finding has a verdict of the set.
class VerdictWatch : public FindingSink {
 public:
  explicit VerdictWatch(VerdictSet watched) : watched_(watched) {}
  void Accept(const ClassFindings& batch) override;
  // One finding alone, for a caller that picks which count.
  void See(Verdict verdict) { seen_ = seen_ || watched_.Has(verdict); }
  bool Seen() const { return seen_; }

 private:
  VerdictSet watched_;
  bool seen_ = false;
};

#endif  // ZOR_CLI_VERDICT_SET_H_
