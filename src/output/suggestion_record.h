// One item of `zorvez suggest`'s report as plain data: what its JSON Lines
// record says (doc/suggestions.md), field by field, for a renderer that
// takes the items themselves rather than their text: the explorer page's
// block of suggestions.
#ifndef ZOR_OUTPUT_SUGGESTION_RECORD_H_
#define ZOR_OUTPUT_SUGGESTION_RECORD_H_

#include <optional>
#include <string>
#include <vector>

#include "compare/finding.h"

struct RecordCandidate {
  std::string target_class;  // an attribute candidate's class; empty for a class candidate
  std::string key;
  std::string label;
  std::string parent;  // a class candidate's parent key
  double score = 0;
  std::vector<std::string> evidence;  // in words, "lexicon: renal ~ kidney" with its detail
  // What took its target: a table line, else a class item (by its class's
  // key) or an attribute item (by its class's key and its label).
  long taken_by_row = 0;
  std::string taken_by_class;
  std::string taken_by_attribute;
  bool tied = false;
};

struct SuggestionRecord {
  bool for_class = true;
  std::string reason;  // not_in_mapping_table, badly_mapped, target_missing, no_row
  std::string class_label, class_key, class_parent;
  std::string attribute_label, attribute_key;  // an attribute item's
  std::optional<TableRowRef> row;              // the table row involved
  std::vector<RecordCandidate> candidates;
  // The candidate accepted: a class's key, or an attribute's class and key.
  bool accepted = false;
  std::string accepted_class, accepted_key;
  bool no_mapping = false;
  bool row_written = false;
  std::string why;   // the row's fate's code when not written
  std::string note;  // why not, in suggest's words, or empty
};

#endif  // ZOR_OUTPUT_SUGGESTION_RECORD_H_
