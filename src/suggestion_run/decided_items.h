// A review's decisions judged against one run: an entry carries where its
// item still needs a target and its target is still in the target
// dictionary, whatever else changed (a new row in the table, a new synonym,
// another version). Every other entry is said with why it does not carry.
#ifndef ZOR_SUGGESTION_RUN_DECIDED_ITEMS_H_
#define ZOR_SUGGESTION_RUN_DECIDED_ITEMS_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/suggest_model.h"
#include "suggestion_run/decisions_file.h"
#include "suggestion_run/suggest_work.h"

enum class DecisionFate : uint8_t {
  kCarried,
  kItemMapped,  // the item's source is there, and the table maps it now
  kItemGone,    // no source class (or attribute) of that key is left
  kTargetGone,  // the target class (or attribute) decided is not in the target
  kOverruled,   // a later entry decides the same item
};

// "now mapped by the table", "gone from the source", ...
std::string_view DecisionFateWords(DecisionFate fate);

struct JudgedEntry {
  const DecisionEntry* entry = nullptr;
  DecisionFate fate = DecisionFate::kCarried;
  size_t later = 0;  // for kOverruled: the number of the entry that holds
};

// One carried decision of an item: its target (class, and attribute for an
// attribute item) as indexes into the input's target dictionary.
struct Decision {
  static constexpr int32_t kNone = -1;
  int32_t entry = kNone;  // into DecisionsFile::entries, or kNone for an open item
  bool no_mapping = false;
  uint32_t target_class = 0;
  uint32_t target_attribute = 0;

  bool decided() const { return entry != kNone; }
};

struct DecidedItems {
  std::vector<Decision> classes;     // per class item
  std::vector<Decision> attributes;  // per attribute item
  std::vector<JudgedEntry> judged;   // per entry of the file, in its order

  size_t Carried() const;
};

DecidedItems JudgeDecisions(const DecisionsFile& file, const SuggestWork& work);

// The attribute of a source class that a decision naming `key` and `label`
// means: the first of them, or -1.
int32_t AttributeNamed(const SuggestClass& owner, std::string_view key, std::string_view label);

// An item's decided target becomes its accepted candidate (first, with the
// decision's evidence; where the matcher did not rank a decided target it
// comes with no score of its own), and a No Mapping decision is marked.
void ApplyClassDecision(const Decision& decision, size_t top, ClassSuggestion& suggestion);
void ApplyAttributeDecision(const Decision& decision, size_t top, AttributeSuggestion& suggestion);

#endif  // ZOR_SUGGESTION_RUN_DECIDED_ITEMS_H_
