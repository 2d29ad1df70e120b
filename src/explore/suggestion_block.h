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
#include <memory>
#include <nlohmann/json.hpp>
#include <string>
#include <unordered_map>
#include <vector>

#include "explore/code_table.h"
#include "suggest/name_store.h"
#include "suggest/suggest_model.h"

// The domain of a completed class row: the one the table's rows give for the
// same target parent, else for the same source parent, else the target
// dictionary's.
struct SuggestDomains {
  std::map<std::string, std::string> byTargetParent;
  std::map<std::string, std::string> bySourceParent;
  std::string fallback;
};

// How the table's rows name a class: columns 1 and 2 for a source class
// (with the target class it is mapped to, if any), 4 and 5 for a target
// class. Without them a row names a class by its label and parent (source)
// or its key and parent key (target).
struct SuggestSourceRow {
  std::string name;
  std::string parent;
  std::string mappedTarget;  // the key of the target class the table maps it to, or ""
};
struct SuggestTargetRow {
  std::string name;
  std::string parent;
};

class SuggestionBlock {
 public:
  SuggestionBlock() : evidence_({}) {}

  // Takes one record of `suggest --format jsonl`; a summary or a record of
  // another kind is left out.
  void Add(const nlohmann::json& record);
  // The target dictionary in its order (the first class with a parent is
  // the one an attribute row naming that parent's child finds), with the
  // row names of its classes (empty: key and parent key). `names` holds
  // the classes' names.
  void SetTarget(std::shared_ptr<const NameStore> names, std::vector<SuggestClass> target,
                 SuggestDomains domains, std::vector<SuggestTargetRow> rows = {});
  void SetSourceRow(const std::string& key, SuggestSourceRow row);
  bool Empty() const { return items_.empty(); }
  // The block's JSON, safe inside a <script> element.
  std::string Json() const;

 private:
  nlohmann::json& ItemOf(const nlohmann::json& source);
  void RememberCandidateClass(const std::string& key);
  nlohmann::json EvidenceMask(const nlohmann::json& evidence);
  nlohmann::json WithRowNames(nlohmann::json items) const;

  CodeTable evidence_;
  nlohmann::json items_ = nlohmann::json::array();
  std::unordered_map<std::string, size_t> itemOfKey_;
  std::vector<std::string> candidateClasses_;
  std::shared_ptr<const NameStore> names_;
  std::vector<SuggestClass> target_;
  std::vector<SuggestTargetRow> targetRows_;
  std::unordered_map<std::string, SuggestSourceRow> sourceRows_;
  SuggestDomains domains_;
};

#endif  // ZOR_EXPLORE_SUGGESTION_BLOCK_H_
