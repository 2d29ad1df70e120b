#include "suggestion_run/decision_effects.h"

#include <algorithm>
#include <unordered_set>

#include "suggest/acceptance.h"

namespace {

bool Targets(const Decision& d) { return d.decided() && !d.no_mapping; }

// Marks the candidates another item decided as taken by it; whether the
// first candidate, accepted before, is one of them.
template <typename Candidate, typename TakerOfCandidate>
bool TakeDecided(std::vector<Candidate>& candidates, int32_t own, double demoted,
                 TakerOfCandidate taker_of) {
  bool changed = false, first_taken = false;
  for (size_t k = 0; k < candidates.size(); ++k) {
    Candidate& c = candidates[k];
    if ((c.evidence & kMarkTakenByRow) != 0) continue;
    const int32_t by = taker_of(c);
    if (by == kTakenByNone || by == own) continue;
    if ((c.evidence & kSignalAssignment) == 0) c.score *= demoted;
    c.evidence |= kSignalAssignment;
    c.taken_by = by;
    changed = true;
    first_taken = first_taken || k == 0;
  }
  if (changed) {
    std::stable_sort(candidates.begin(), candidates.end(),
                     [](const Candidate& a, const Candidate& b) { return a.score > b.score; });
  }
  return first_taken;
}

}  // namespace

void ItemSet::Settle() {
  for (std::vector<size_t>* items : {&classes, &attributes}) {
    std::sort(items->begin(), items->end());
    items->erase(std::unique(items->begin(), items->end()), items->end());
  }
}

DecisionEffects::DecisionEffects(const SuggestSession& session)
    : session_(session),
      base_(session.Output()),
      top_(session.Options().top),
      demoted_(session.Options().weights.assignment.demoted),
      classes_(base_.classes.size()),
      attributes_(base_.attributes.size()) {
  const SuggestInput& input = session.Input();
  class_item_of_.assign(input.source.size(), -1);
  for (size_t i = 0; i < base_.classes.size(); ++i)
    class_item_of_[base_.classes[i].source] = static_cast<long>(i);
  attribute_items_of_.resize(input.source.size());
  place_in_class_.resize(base_.attributes.size());
  for (size_t a = 0; a < base_.attributes.size(); ++a) {
    std::vector<size_t>& own = attribute_items_of_[base_.attributes[a].item.source_class];
    place_in_class_[a] = static_cast<uint32_t>(own.size());
    own.push_back(a);
  }
}

void DecisionEffects::Enter(Takers& takers, uint64_t target, uint32_t item) {
  std::vector<uint32_t>& items = takers[target];
  items.insert(std::upper_bound(items.begin(), items.end(), item), item);
}

void DecisionEffects::Leave(Takers& takers, uint64_t target, uint32_t item) {
  auto found = takers.find(target);
  if (found == takers.end()) return;
  std::vector<uint32_t>& items = found->second;
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
  if (items.empty()) takers.erase(found);
}

int32_t DecisionEffects::TakerOf(const Takers& takers, uint64_t target) {
  auto found = takers.find(target);
  return found == takers.end() ? kTakenByNone : static_cast<int32_t>(found->second.back());
}

// A class placed in a target its attributes were not ranked in first (as
// surely) has them ranked there; any other has them as the matcher ranked.
void DecisionEffects::Place(size_t source) {
  placed_.erase(source);
  const long item = class_item_of_[source];
  if (item < 0 || attribute_items_of_[source].empty()) return;
  const Decision& d = classes_[static_cast<size_t>(item)];
  if (!Targets(d) || session_.SettledHomeOf(source) == static_cast<int>(d.target_class)) return;
  placed_.emplace(source, session_.PlacedIn(attribute_items_of_[source], d.target_class));
}

void DecisionEffects::SetAll(const DecidedItems& decided) {
  class_takers_.clear();
  attribute_takers_.clear();
  placed_.clear();
  for (size_t i = 0; i < classes_.size(); ++i) {
    classes_[i] = i < decided.classes.size() ? decided.classes[i] : Decision{};
    if (Targets(classes_[i]))
      Enter(class_takers_, classes_[i].target_class, static_cast<uint32_t>(i));
  }
  for (size_t a = 0; a < attributes_.size(); ++a) {
    attributes_[a] = a < decided.attributes.size() ? decided.attributes[a] : Decision{};
    if (Targets(attributes_[a]))
      Enter(attribute_takers_, AttributeTarget(attributes_[a]), static_cast<uint32_t>(a));
  }
  for (size_t i = 0; i < classes_.size(); ++i) {
    if (Targets(classes_[i])) Place(base_.classes[i].source);
  }
}

void DecisionEffects::ClassesRanking(const std::vector<uint32_t>& targets,
                                     std::vector<size_t>& out) const {
  if (targets.empty()) return;
  const std::unordered_set<uint32_t> wanted(targets.begin(), targets.end());
  for (size_t i = 0; i < base_.classes.size(); ++i) {
    const auto& candidates = base_.classes[i].candidates;
    if (std::any_of(candidates.begin(), candidates.end(), [&](const ClassCandidate& c) {
          return wanted.count(static_cast<uint32_t>(c.target)) > 0;
        })) {
      out.push_back(i);
    }
  }
}

void DecisionEffects::AttributesRanking(const std::vector<uint64_t>& targets,
                                        std::vector<size_t>& out) const {
  if (targets.empty()) return;
  const std::unordered_set<uint64_t> wanted(targets.begin(), targets.end());
  auto ranks = [&](const AttributeSuggestion& s) {
    return std::any_of(s.candidates.begin(), s.candidates.end(), [&](const AttributeCandidate& c) {
      return wanted.count((uint64_t{c.target_class} << 32) | c.target_attribute) > 0;
    });
  };
  for (size_t a = 0; a < base_.attributes.size(); ++a) {
    if (ranks(base_.attributes[a])) out.push_back(a);
  }
  for (const auto& [source, placed] : placed_) {
    for (size_t k = 0; k < placed.size(); ++k) {
      if (ranks(placed[k])) out.push_back(attribute_items_of_[source][k]);
    }
  }
}

ItemSet DecisionEffects::Set(const std::vector<Change>& changes) {
  ItemSet touched;
  std::vector<uint32_t> class_targets;
  std::vector<uint64_t> attribute_targets;
  std::vector<size_t> placed_again;
  for (const Change& change : changes) {
    const auto item = static_cast<uint32_t>(change.item);
    if (change.is_class) {
      touched.classes.push_back(change.item);
      const Decision before = classes_[change.item];
      if (Targets(before)) {
        Leave(class_takers_, before.target_class, item);
        class_targets.push_back(before.target_class);
      }
      classes_[change.item] = change.decision;
      if (Targets(change.decision)) {
        Enter(class_takers_, change.decision.target_class, item);
        class_targets.push_back(change.decision.target_class);
      }
      placed_again.push_back(base_.classes[change.item].source);
    } else {
      touched.attributes.push_back(change.item);
      const Decision before = attributes_[change.item];
      if (Targets(before)) {
        Leave(attribute_takers_, AttributeTarget(before), item);
        attribute_targets.push_back(AttributeTarget(before));
      }
      attributes_[change.item] = change.decision;
      if (Targets(change.decision)) {
        Enter(attribute_takers_, AttributeTarget(change.decision), item);
        attribute_targets.push_back(AttributeTarget(change.decision));
      }
    }
  }
  for (size_t source : placed_again) {
    Place(source);
    const std::vector<size_t>& own = attribute_items_of_[source];
    touched.attributes.insert(touched.attributes.end(), own.begin(), own.end());
  }
  ClassesRanking(class_targets, touched.classes);
  AttributesRanking(attribute_targets, touched.attributes);
  touched.Settle();
  return touched;
}

ClassSuggestion DecisionEffects::ClassView(size_t item) const {
  ClassSuggestion view = base_.classes[item];
  const bool first_taken =
      TakeDecided(view.candidates, static_cast<int32_t>(item), demoted_,
                  [&](const ClassCandidate& c) { return TakerOf(class_takers_, c.target); });
  if (first_taken && view.accepted) {
    view.accepted = false;
    view.verdict = Acceptance::kHeldOnNames;
  }
  ApplyClassDecision(classes_[item], top_, view);
  return view;
}

AttributeSuggestion DecisionEffects::AttributeView(size_t item) const {
  const size_t source = base_.attributes[item].item.source_class;
  auto placed = placed_.find(source);
  AttributeSuggestion view =
      placed == placed_.end() ? base_.attributes[item] : placed->second[place_in_class_[item]];
  const bool first_taken = TakeDecided(
      view.candidates, static_cast<int32_t>(item), demoted_, [&](const AttributeCandidate& c) {
        return TakerOf(attribute_takers_, (uint64_t{c.target_class} << 32) | c.target_attribute);
      });
  if (first_taken && view.accepted) {
    view.accepted = false;
    view.verdict = Acceptance::kHeldOnNames;
  }
  ApplyAttributeDecision(attributes_[item], top_, view);
  return view;
}

SuggestOutput DecisionEffects::AllViews() const {
  SuggestOutput all;
  all.lexicon_evidence = base_.lexicon_evidence;
  all.burying_rows = base_.burying_rows;
  all.classes.reserve(classes_.size());
  for (size_t i = 0; i < classes_.size(); ++i) all.classes.push_back(ClassView(i));
  all.attributes.reserve(attributes_.size());
  for (size_t a = 0; a < attributes_.size(); ++a) all.attributes.push_back(AttributeView(a));
  return all;
}
