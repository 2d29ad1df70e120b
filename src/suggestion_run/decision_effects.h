// What a review's decisions make of the matcher's suggestions, item by
// item. `zorvez suggest --decisions` lays all of them on every item at once;
// `zorvez review` lays each new decision on the items it touches. Both ask
// the same functions, so that a decisions file gives the same suggestions
// either way:
//
// - a class decided to a target class has its attribute items ranked again
//   in that class and its ancestors alone, as if a row of the table placed
//   it there, unless the matcher looked there first as surely already;
// - a target decided for one item is taken from every other item that
//   ranks it: demoted as a target another item takes is, and taken by the
//   deciding item (of several, the last in the order of the items); an item
//   whose accepted first candidate is taken so is accepted no more (held on
//   its names: the target is another's);
// - the decided target is its own item's accepted candidate, first
//   (ApplyClassDecision, ApplyAttributeDecision).
#ifndef ZOR_SUGGESTION_RUN_DECISION_EFFECTS_H_
#define ZOR_SUGGESTION_RUN_DECISION_EFFECTS_H_

#include <cstdint>
#include <map>
#include <unordered_map>
#include <vector>

#include "suggest/suggest_session.h"
#include "suggestion_run/decided_items.h"

// Class items and attribute items, by number, each once.
struct ItemSet {
  std::vector<size_t> classes;
  std::vector<size_t> attributes;

  void Settle();  // sorted, each once
};

class DecisionEffects {
 public:
  // The session must outlive this; its items are the suggestions' items.
  explicit DecisionEffects(const SuggestSession& session);

  // Every item's decision at once, as a decisions file's judgement gives them.
  void SetAll(const DecidedItems& decided);
  // Decisions of items (an open one takes an item's back), as one change:
  // returns the items whose suggestions change with them, the items
  // themselves among them, looked for once for all of them.
  struct Change {
    bool is_class = true;
    size_t item = 0;
    Decision decision;
  };
  ItemSet Set(const std::vector<Change>& changes);

  const Decision& OfClass(size_t item) const { return classes_[item]; }
  const Decision& OfAttribute(size_t item) const { return attributes_[item]; }
  size_t ClassItems() const { return classes_.size(); }
  size_t AttributeItems() const { return attributes_.size(); }
  // The class item of a source class, or -1.
  long ClassItemOf(size_t source) const { return class_item_of_[source]; }
  const std::vector<size_t>& AttributeItemsOf(size_t source) const {
    return attribute_items_of_[source];
  }

  ClassSuggestion ClassView(size_t item) const;
  AttributeSuggestion AttributeView(size_t item) const;
  // Every item's, as suggest reports them.
  SuggestOutput AllViews() const;

 private:
  using Takers = std::unordered_map<uint64_t, std::vector<uint32_t>>;

  void Place(size_t source);
  static void Enter(Takers& takers, uint64_t target, uint32_t item);
  static void Leave(Takers& takers, uint64_t target, uint32_t item);
  static int32_t TakerOf(const Takers& takers, uint64_t target);
  static uint64_t AttributeTarget(const Decision& d) {
    return (uint64_t{d.target_class} << 32) | d.target_attribute;
  }
  // The items that rank one of `targets` (for attributes, their base or
  // placed suggestions).
  void AttributesRanking(const std::vector<uint64_t>& targets, std::vector<size_t>& out) const;
  void ClassesRanking(const std::vector<uint32_t>& targets, std::vector<size_t>& out) const;

  const SuggestSession& session_;
  const SuggestOutput& base_;
  size_t top_;
  double demoted_;
  std::vector<Decision> classes_;
  std::vector<Decision> attributes_;
  std::vector<long> class_item_of_;                      // per source class
  std::vector<std::vector<size_t>> attribute_items_of_;  // per source class
  std::vector<uint32_t> place_in_class_;                 // per attribute item, among its class's
  Takers class_takers_;                                  // by target class
  Takers attribute_takers_;                              // by target class and attribute
  // Per source class placed by a decision: its attribute items ranked there.
  std::map<size_t, std::vector<AttributeSuggestion>> placed_;
};

#endif  // ZOR_SUGGESTION_RUN_DECISION_EFFECTS_H_
