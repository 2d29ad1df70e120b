// What the defined run's files make of the names in the findings, for
// zorvez check to warn of: the report escapes nothing but '&', so a name
// holding '<' or '>' reaches a browser as markup; and a proposed mapping row
// holding a name with a comma or a line end can never be completed, since
// the table reader splits rows there.
#ifndef ZOR_CLI_REPORT_NAMES_H_
#define ZOR_CLI_REPORT_NAMES_H_

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "compare/finding.h"
#include "comparison_run/comparison_run.h"
#include "lint/hazard.h"

// A hazard found in a file other than the table: the file's path with it.
struct PlacedHazard {
  std::string file;
  Hazard hazard;
};

class ReportNameWatch : public FindingSink {
 public:
  // `found` sees each markup hazard as it is found, before the findings of
  // its class go on.
  using HazardSeen = std::function<void(const PlacedHazard&)>;
  ReportNameWatch(const FindingRunOptions& run, HazardSeen found = {});

  void Accept(const ClassFindings& batch) override;

  const std::vector<PlacedHazard>& MarkupNames() const { return markup_; }
  // One message per name, "FILE:LINE: ..." without the "zorvez: " prefix.
  const std::vector<std::string>& UnholdableNames() const { return unholdable_; }

 private:
  // A name a finding shows, and whether it comes from the dictionary to
  // migrate (rather than from the table or the target, which the finding's
  // row names).
  struct ShownName {
    const std::string* text;
    bool from_source;
  };

  static std::vector<ShownName> NamesOf(const ClassFindings& batch, const Finding& finding);
  PlacedHazard MarkupHazard(const ClassFindings& batch, const Finding& finding,
                            const ShownName& name) const;
  void WatchMarkup(const ClassFindings& batch);
  void WatchProposedRows(const ClassFindings& batch);
  std::string SourcePlace(const ClassFindings& batch) const;

  const FindingRunOptions& run_;
  HazardSeen found_;
  std::vector<PlacedHazard> markup_;
  std::vector<std::string> unholdable_;
};

#endif  // ZOR_CLI_REPORT_NAMES_H_
