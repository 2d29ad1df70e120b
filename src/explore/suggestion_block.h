// The suggestions of `zorvez suggest` as the explorer page carries them: one
// JSON block after the findings, read by the page only when a reviewer opens
// a class that has suggestions or filters by review state, so the first
// screen costs nothing more.
//
// It holds, per source class in the order the records came (the source
// dictionary's), the class item and its attribute items with their ranked
// candidates; the target classes (key, label, parent key) so that a typed
// key can be checked and completed; the attributes of the candidate classes
// and their ancestors; and what the page needs to give a completed class row
// the domain that `suggest --format csv` gives it.
#ifndef ZOR_EXPLORE_SUGGESTION_BLOCK_H_
#define ZOR_EXPLORE_SUGGESTION_BLOCK_H_

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "explore/code_table.h"
#include "suggest/suggest_model.h"

// The domain of a completed class row: the one the table's rows give for the
// same target parent, else for the same source parent, else the target
// dictionary's.
struct SuggestDomains {
  std::map<std::string, std::string> byTargetParent;
  std::map<std::string, std::string> bySourceParent;
  std::string fallback;
};

class SuggestionBlock {
 public:
  SuggestionBlock() : evidence_({}) {}

  // Takes one record of `suggest --format jsonl`; a summary or a record of
  // another kind is left out.
  void Add(const nlohmann::json& record);
  void SetTarget(std::vector<SuggestClass> target, SuggestDomains domains);
  bool Empty() const { return items_.empty(); }
  // The block's JSON, safe inside a <script> element.
  std::string Json() const;

 private:
  nlohmann::json& ItemOf(const nlohmann::json& source);
  void RememberCandidateClass(const std::string& key);
  nlohmann::json EvidenceMask(const nlohmann::json& evidence);

  CodeTable evidence_;
  nlohmann::json items_ = nlohmann::json::array();
  std::unordered_map<std::string, size_t> itemOfKey_;
  std::vector<std::string> candidateClasses_;
  std::vector<SuggestClass> target_;
  SuggestDomains domains_;
};

#endif  // ZOR_EXPLORE_SUGGESTION_BLOCK_H_
