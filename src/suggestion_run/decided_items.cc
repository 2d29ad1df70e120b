#include "suggestion_run/decided_items.h"

#include <algorithm>
#include <unordered_map>

#include "suggest/acceptance.h"

namespace {

// The first of several classes of one key is the one a row finds.
std::unordered_map<std::string_view, uint32_t> FirstOfKey(
    const std::vector<SuggestClass>& classes) {
  std::unordered_map<std::string_view, uint32_t> first;
  for (size_t i = 0; i < classes.size(); ++i) first.emplace(classes[i].key.view(), i);
  return first;
}

int32_t TargetAttributeOf(const SuggestClass& owner, std::string_view key) {
  for (size_t a = 0; a < owner.attributes.size(); ++a) {
    if (owner.attributes[a].key == key) return static_cast<int32_t>(a);
  }
  return -1;
}

class Judge {
 public:
  Judge(const SuggestWork& work, DecidedItems& decided)
      : input_(work.input),
        decided_(decided),
        source_(FirstOfKey(input_.source)),
        target_(FirstOfKey(input_.target)) {
    for (size_t i = 0; i < input_.class_items.size(); ++i)
      class_item_.emplace(input_.class_items[i], i);
    for (size_t i = 0; i < input_.attribute_items.size(); ++i) {
      const AttributeItem& item = input_.attribute_items[i];
      attribute_item_.emplace(Pack(item.source_class, item.source_attribute), i);
    }
    decided_.classes.assign(input_.class_items.size(), {});
    decided_.attributes.assign(input_.attribute_items.size(), {});
  }

  // Judges one entry; a carried one replaces what an earlier entry decided
  // of the same item.
  void Take(const DecisionEntry& entry, int32_t index) {
    JudgedEntry judged{&entry, DecisionFate::kCarried, 0};
    Decision decision;
    decision.entry = index;
    decision.no_mapping = entry.no_mapping;
    Decision* slot = nullptr;
    judged.fate = Locate(entry, slot);
    if (judged.fate == DecisionFate::kCarried && !entry.no_mapping)
      judged.fate = Target(entry, decision);
    if (judged.fate == DecisionFate::kCarried) {
      if (slot->decided()) {
        JudgedEntry& earlier = decided_.judged[static_cast<size_t>(slot->entry)];
        earlier.fate = DecisionFate::kOverruled;
        earlier.later = entry.number;
      }
      *slot = decision;
    }
    decided_.judged.push_back(judged);
  }

 private:
  static uint64_t Pack(size_t a, size_t b) { return (uint64_t{a} << 32) | b; }

  DecisionFate Locate(const DecisionEntry& entry, Decision*& slot) {
    const auto source = source_.find(entry.class_key);
    if (source == source_.end()) return DecisionFate::kItemGone;
    if (!entry.for_attribute) {
      const auto item = class_item_.find(source->second);
      if (item == class_item_.end()) return DecisionFate::kItemMapped;
      slot = &decided_.classes[item->second];
      return DecisionFate::kCarried;
    }
    const int32_t attribute =
        AttributeNamed(input_.source[source->second], entry.attribute_key, entry.attribute_label);
    if (attribute < 0) return DecisionFate::kItemGone;
    const auto item = attribute_item_.find(Pack(source->second, static_cast<size_t>(attribute)));
    if (item == attribute_item_.end()) return DecisionFate::kItemMapped;
    slot = &decided_.attributes[item->second];
    return DecisionFate::kCarried;
  }

  DecisionFate Target(const DecisionEntry& entry, Decision& decision) const {
    const auto target = target_.find(entry.for_attribute ? entry.target_class : entry.target_key);
    if (target == target_.end()) return DecisionFate::kTargetGone;
    decision.target_class = target->second;
    if (!entry.for_attribute) return DecisionFate::kCarried;
    const int32_t attribute = TargetAttributeOf(input_.target[target->second], entry.target_key);
    if (attribute < 0) return DecisionFate::kTargetGone;
    decision.target_attribute = static_cast<uint32_t>(attribute);
    return DecisionFate::kCarried;
  }

  const SuggestInput& input_;
  DecidedItems& decided_;
  std::unordered_map<std::string_view, uint32_t> source_;
  std::unordered_map<std::string_view, uint32_t> target_;
  std::unordered_map<size_t, size_t> class_item_;
  std::unordered_map<uint64_t, size_t> attribute_item_;
};

// Puts the candidate `same` finds first, marked as decided; one that is
// not there comes first with no score of its own.
template <typename Candidate, typename Same>
void Promote(std::vector<Candidate>& candidates, Candidate decided, Same same, size_t top) {
  auto found = std::find_if(candidates.begin(), candidates.end(), same);
  if (found != candidates.end()) {
    decided = *found;
    candidates.erase(found);
  } else if (candidates.size() >= top && !candidates.empty()) {
    candidates.pop_back();
  }
  decided.evidence |= kMarkDecided;
  decided.taken_by = kTakenByNone;
  candidates.insert(candidates.begin(), decided);
}

// A reviewer's target is accepted by the rule every first candidate meets.
template <typename Suggestion>
void AcceptDecided(Suggestion& suggestion) {
  FirstCandidate first;
  first.decided = true;
  first.evidence = suggestion.candidates.front().evidence;
  suggestion.verdict = JudgeFirstCandidate(first, AcceptanceRules{}, kAllSignals);
  suggestion.accepted = suggestion.verdict == Acceptance::kAccepted;
}

}  // namespace

std::string_view DecisionFateWords(DecisionFate fate) {
  switch (fate) {
    case DecisionFate::kCarried:
      return "carried";
    case DecisionFate::kItemMapped:
      return "now mapped by the table";
    case DecisionFate::kItemGone:
      return "gone from the dictionary to migrate";
    case DecisionFate::kTargetGone:
      return "whose target is gone from the target dictionary";
    case DecisionFate::kOverruled:
      return "decided again by a later entry";
  }
  return "";
}

size_t DecidedItems::Carried() const {
  return static_cast<size_t>(std::count_if(judged.begin(), judged.end(), [](const JudgedEntry& j) {
    return j.fate == DecisionFate::kCarried;
  }));
}

int32_t AttributeNamed(const SuggestClass& owner, std::string_view key, std::string_view label) {
  for (size_t a = 0; a < owner.attributes.size(); ++a) {
    if (owner.attributes[a].key == key && owner.attributes[a].label == label)
      return static_cast<int32_t>(a);
  }
  return -1;
}

DecidedItems JudgeDecisions(const DecisionsFile& file, const SuggestWork& work) {
  DecidedItems decided;
  Judge judge(work, decided);
  for (size_t i = 0; i < file.entries.size(); ++i)
    judge.Take(file.entries[i], static_cast<int32_t>(i));
  return decided;
}

void ApplyClassDecision(const Decision& d, size_t top, ClassSuggestion& s) {
  if (!d.decided()) return;
  s.no_mapping = d.no_mapping;
  s.accepted = false;
  if (d.no_mapping) return;
  Promote(
      s.candidates, ClassCandidate{d.target_class, 0, 0},
      [&](const ClassCandidate& c) { return c.target == d.target_class; }, top);
  AcceptDecided(s);
}

void ApplyAttributeDecision(const Decision& d, size_t top, AttributeSuggestion& s) {
  if (!d.decided()) return;
  s.no_mapping = d.no_mapping;
  s.accepted = false;
  if (d.no_mapping) return;
  Promote(
      s.candidates, AttributeCandidate{d.target_class, d.target_attribute, 0, 0},
      [&](const AttributeCandidate& c) {
        return c.target_class == d.target_class && c.target_attribute == d.target_attribute;
      },
      top);
  AcceptDecided(s);
}
