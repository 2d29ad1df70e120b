// The class rows that take the exact label of a class no row maps
// (suggest/burying_rows.h), as hazards of the table for `check`. The rows
// and the classes that need a target are taken from the comparison's own
// findings, as `suggest` takes them, and judged by the rule `suggest`
// follows; only the classes' names are read, not their attributes.
#ifndef ZOR_CLI_EXACT_LABEL_HAZARDS_H_
#define ZOR_CLI_EXACT_LABEL_HAZARDS_H_

#include "comparison_run/comparison_run.h"
#include "lint/hazard.h"
#include "suggestion_run/suggest_work.h"

class ExactLabelHazards : public FindingSink {
 public:
  explicit ExactLabelHazards(const FindingRunOptions& run);

  void ReadDictionaries(MigrationXMLNode* source, MigrationXMLNode* target);
  void Accept(const ClassFindings& batch) override;
  // Once the last class is in.
  Hazards Finish();

 private:
  SuggestWork work_;
  SuggestWorkBuilder builder_;
};

#endif  // ZOR_CLI_EXACT_LABEL_HAZARDS_H_
