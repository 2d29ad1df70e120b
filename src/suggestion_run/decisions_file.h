// A review's decisions file, as the explorer page's "Save decisions" writes
// it (doc/decisions.schema.json): read by `zorvez suggest --decisions` and
// `zorvez explore --suggest --decisions`, so that a review carries over to
// the next run whatever changed in between. Every entry is judged on its
// own: a malformed one is named with what is wrong, never taken for
// another.
#ifndef ZOR_SUGGESTION_RUN_DECISIONS_FILE_H_
#define ZOR_SUGGESTION_RUN_DECISIONS_FILE_H_

#include <cstddef>
#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::string_view kDecisionsFormat = "zorvez-review-decisions";
// A review of 16,000 classes with 20 attributes each saves about 40 MB.
inline constexpr size_t kMostDecisionsBytes = size_t{256} << 20;

struct DecisionEntry {
  size_t number = 0;  // from 1, in the file's order
  std::string class_key;
  bool for_attribute = false;
  std::string attribute_key;    // the source attribute's, for an attribute item
  std::string attribute_label;  // likewise
  bool no_mapping = false;
  std::string target_class;  // an attribute's target class key
  std::string target_key;    // a class's target class key, or an attribute's target attribute key
};

struct DecisionsProblem {
  size_t entry = 0;  // from 1; 0 for the file as a whole
  std::string reason;
};

struct DecisionsFile {
  std::string suggestions;  // the hash of the page the file was saved from
  std::vector<DecisionEntry> entries;
  std::vector<DecisionsProblem> problems;  // none when every entry can be used
};

DecisionsFile ParseDecisions(std::string_view bytes);

// One entry as the review page writes it into a decisions file.
nlohmann::json DecisionEntryJson(const DecisionEntry& entry);

// "FILE: entry N: reason", or "FILE: reason" for the file as a whole.
std::string DecisionsProblemText(const std::string& file, const DecisionsProblem& problem);

#endif  // ZOR_SUGGESTION_RUN_DECISIONS_FILE_H_
