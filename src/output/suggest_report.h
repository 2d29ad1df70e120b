// The two reports of `zorvez suggest`: JSON Lines for scripts (one record
// per item in the order of the source dictionary, then a summary) and text
// for people (per item its best candidates with scores and evidence,
// `MAPPING.csv:LINE:` first where a table row is involved).
#ifndef ZOR_OUTPUT_SUGGEST_REPORT_H_
#define ZOR_OUTPUT_SUGGEST_REPORT_H_

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "output/suggestion_record.h"
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

// A candidate's evidence in the report's words, one a signal ("label",
// "lexicon: renal ~ kidney", ...), the marks among them.
std::vector<std::string> EvidenceWordsOf(uint32_t evidence, const SuggestOutput& output,
                                         std::string_view source_label, std::string_view source_key,
                                         std::string_view target_label,
                                         std::string_view target_key);
// Why an item needs a target, in words: "not in the mapping table", ...
std::string ReasonText(std::string_view reason);
// How many first candidates read the same score where none was accepted
// (0 when they are not tied).
size_t TiedScores(const std::vector<double>& scores, bool accepted);

void WriteSuggestionRecords(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                            const RowPlan& rows);

// The same items, in the same order, as plain data.
void ForEachSuggestionRecord(const SuggestWork& work, const SuggestOutput& output,
                             const RowPlan& rows,
                             const std::function<void(const SuggestionRecord&)>& visit);

void WriteSuggestionText(std::ostream& out, const SuggestWork& work, const SuggestOutput& output,
                         const RowPlan& rows, const std::string& table_path, bool colour);

#endif  // ZOR_OUTPUT_SUGGEST_REPORT_H_
