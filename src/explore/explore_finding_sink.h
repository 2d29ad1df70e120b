// Writes a comparison's findings into the explorer page as they come, with
// no finding record in between: the page holds the same members, in the same
// order, as the page written from the records of `zorvez check --format
// jsonl` (the classes the report lists in its closing section come last, as
// there).
#ifndef ZOR_EXPLORE_EXPLORE_FINDING_SINK_H_
#define ZOR_EXPLORE_EXPLORE_FINDING_SINK_H_

#include <array>
#include <vector>

#include "compare/finding.h"
#include "explore/explore_page_writer.h"

class ExploreFindingSink : public FindingSink {
 public:
  ExploreFindingSink(ExplorePageWriter& writer, bool v5v5) : writer_(writer), v5v5_(v5v5) {}

  void Accept(const ClassFindings& batch) override;
  // Adds the held-back classes and the summary; the page is then ready for
  // ExplorePageWriter::Finish.
  void Finish(const ComparisonTotals& totals);

 private:
  void Write(const ClassFindings& batch, const Finding& finding);
  void WriteOutcome(std::string& out, const ClassFindings& batch, const Finding& finding);

  ExplorePageWriter& writer_;
  bool v5v5_;
  std::vector<ClassFindings> closing_section_;  // each with its held-back findings only
  std::array<long, 5> class_verdicts_{};
};

#endif  // ZOR_EXPLORE_EXPLORE_FINDING_SINK_H_
