// A dictionary's classes as a tree of indexes: each class's parent (found by
// key) and children. Loops in bad input are cut by bounding every climb.
#ifndef ZOR_SUGGEST_DICTIONARY_TREE_H_
#define ZOR_SUGGEST_DICTIONARY_TREE_H_

#include <cstdint>
#include <vector>

#include "suggest/suggest_model.h"

class DictionaryTree {
 public:
  static constexpr int kNone = -1;
  static constexpr int kDeepest = 64;  // no real dictionary nests deeper; loops stop here

  explicit DictionaryTree(const std::vector<SuggestClass>& classes);

  int Parent(size_t index) const { return parent_[index]; }
  const std::vector<uint32_t>& Children(size_t index) const { return children_[index]; }
  // How many steps up from `index` lead to `ancestor`, or 0 when none within `most`.
  int StepsUp(size_t index, size_t ancestor, int most) const;
  // The class and its ancestors, nearest first.
  std::vector<uint32_t> Lineage(size_t index) const;

 private:
  std::vector<int> parent_;
  std::vector<std::vector<uint32_t>> children_;
};

#endif  // ZOR_SUGGEST_DICTIONARY_TREE_H_
