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
  // The class a row naming this class's key and parent key finds: the first
  // of that key and parent. A later one is out of any row's reach.
  uint32_t RowTarget(size_t index) const { return row_target_[index]; }
  bool Reachable(size_t index) const { return row_target_[index] == index; }

 private:
  std::vector<int> parent_;
  std::vector<std::vector<uint32_t>> children_;
  std::vector<uint32_t> row_target_;
};

#endif  // ZOR_SUGGEST_DICTIONARY_TREE_H_
