// Targets a reviewer types, found in the whole target dictionary: a class by
// its key or label, an attribute by its key or label among those of a class
// and its ancestors (the nearest of a key), letter case aside; and the
// completions of what is typed so far.
#ifndef ZOR_REVIEW_TYPED_TARGETS_H_
#define ZOR_REVIEW_TYPED_TARGETS_H_

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "suggest/suggest_model.h"

// A target attribute: the class that holds it and its place there.
struct AttributeAt {
  size_t holder = 0;
  size_t attribute = 0;
};

// A completion: a key with its label, and for an attribute the key of the
// class that holds it.
struct Completion {
  std::string key;
  std::string label;
  std::string holder;
};

class TypedTargets {
 public:
  // `input` must outlive this.
  explicit TypedTargets(const SuggestInput& input);

  // The class the text names: the key itself, else the one class whose key,
  // else whose label, reads the same whatever the letter case (of several
  // classes of one key, the first, which a row finds). None, with why in
  // `problem`, for no class or for several.
  std::optional<size_t> FindClass(std::string_view typed, std::string& problem) const;
  // The same among the attributes of `owner` and its ancestors.
  std::optional<AttributeAt> FindAttribute(size_t owner, std::string_view typed,
                                           std::string& problem) const;

  // Targets whose key or label begins with, then holds, the text, letter
  // case aside; at most `limit`.
  std::vector<Completion> CompleteClass(std::string_view typed, size_t limit) const;
  std::vector<Completion> CompleteAttribute(size_t owner, std::string_view typed,
                                            size_t limit) const;

  // The class and its ancestors, nearest first, each once.
  std::vector<size_t> Lineage(size_t owner) const;
  // The attributes of the lineage, each key once: the nearest.
  std::vector<AttributeAt> AttributesOf(size_t owner) const;
  // The first class of a key, or none.
  std::optional<size_t> ClassOfKey(std::string_view key) const;

 private:
  const SuggestInput& input_;
  std::vector<std::string> folded_keys_;
  std::vector<std::string> folded_labels_;
  std::unordered_map<std::string_view, size_t> first_of_key_;
};

#endif  // ZOR_REVIEW_TYPED_TARGETS_H_
