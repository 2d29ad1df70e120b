// The target dictionary as the page's block of suggestions carries it: every
// class (key, label, parent key, and the names a table row gives it where
// they differ), and the attributes of the classes that candidates name and of
// their ancestors, where an attribute of a class may be found. An attribute
// candidate then travels as its place among its class's carried attributes
// instead of its key and label, which halves the block of a large
// dictionary.
#ifndef ZOR_EXPLORE_TARGET_PLACES_H_
#define ZOR_EXPLORE_TARGET_PLACES_H_

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "suggest/name_store.h"
#include "suggest/suggest_model.h"
#include "suggestion_run/row_rules.h"

// How a table row names a target class (columns 4 and 5); empty names: its
// key and parent key.
struct SuggestTargetRow {
  std::string name;
  std::string parent;
};

class TargetPlaces {
 public:
  // The target in its order; `names` holds its classes' names. A key held
  // by two classes names the first.
  void Set(std::shared_ptr<const NameStore> names, std::vector<SuggestClass> target,
           std::vector<SuggestTargetRow> rows);

  // Marks a class a candidate names: its attributes and its ancestors' are
  // carried.
  void Remember(std::string_view class_key);
  // The place of the first attribute of `key` and `label` among the carried
  // attributes of the class `class_key`, if the target has it.
  std::optional<uint32_t> PlaceOf(std::string_view class_key, std::string_view key,
                                  std::string_view label);

  // `[[key, label, parent(, what rows of it take: TargetClassFacts)], ...]`
  void AppendClasses(std::string& out, const RowDomains& domains) const;
  // `{CLASS: [attribute, ...], ...}` for the remembered classes and their
  // ancestors, in the order of their keys; an attribute is its label where
  // its key is the label without blanks, else `[key, label]`.
  void AppendCarriedAttributes(std::string& out) const;
  // The keys of the carried attributes, each as often as it is carried.
  void ForEachCarriedKey(const std::function<void(std::string_view)>& visit) const;

 private:
  // The carried classes by key: the remembered ones and their ancestors.
  std::map<std::string_view, uint32_t> CarriedByKey() const;
  std::optional<uint32_t> IndexOf(std::string_view class_key) const;
  const std::vector<uint32_t>& SortedAttributes(uint32_t index);

  std::shared_ptr<const NameStore> names_;
  std::vector<SuggestClass> target_;
  std::vector<SuggestTargetRow> rows_;
  std::unordered_map<std::string_view, uint32_t> index_of_key_;  // views of names_' text
  // Per class, its attributes' places ordered by key, label and place;
  // made when a candidate first asks.
  std::vector<std::vector<uint32_t>> sorted_;
  std::vector<bool> remembered_;  // per class
};

#endif  // ZOR_EXPLORE_TARGET_PLACES_H_
