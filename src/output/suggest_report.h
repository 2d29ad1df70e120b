// The two reports of `zorvez suggest`: JSON Lines for scripts (one record
// per item in the order of the source dictionary, then a summary) and text
// for people (per item its best candidates with scores and evidence,
// `MAPPING.csv:LINE:` first where a table row is involved).
#ifndef ZOR_OUTPUT_SUGGEST_REPORT_H_
#define ZOR_OUTPUT_SUGGEST_REPORT_H_

#include <ostream>
#include <string>

#include "suggestion_run/row_plan.h"
#include "suggestion_run/suggest_work.h"

struct SuggestCounts {
  long class_items = 0;
  long classes_accepted = 0;
  long classes_no_mapping = 0;  // decided No Mapping by a review
  long attribute_items = 0;
  long attributes_accepted = 0;
  long attributes_no_mapping = 0;

  // Every item has a target, or a review decided it has none.
  bool AllAccepted() const {
    return classes_accepted + classes_no_mapping == class_items &&
           attributes_accepted + attributes_no_mapping == attribute_items;
  }
};

SuggestCounts CountSuggestions(const SuggestOutput& output);

void WriteSuggestionRecords(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                            const RowPlan& rows);

void WriteSuggestionText(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                         const RowPlan& rows, const std::string& table_path, bool colour);

#endif  // ZOR_OUTPUT_SUGGEST_REPORT_H_
