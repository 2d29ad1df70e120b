#include "suggest/dictionary_tree.h"

#include <string>
#include <unordered_map>

DictionaryTree::DictionaryTree(const std::vector<SuggestClass>& classes)
    : parent_(classes.size(), kNone), children_(classes.size()), row_target_(classes.size()) {
  std::unordered_map<std::string_view, uint32_t> by_key;
  std::unordered_map<std::string, uint32_t> by_row;
  for (size_t i = 0; i < classes.size(); ++i) {
    by_key.emplace(classes[i].key, static_cast<uint32_t>(i));
    std::string row = classes[i].key.str();
    row.push_back('\0');
    row += classes[i].parent_key.str();
    row_target_[i] = by_row.emplace(std::move(row), static_cast<uint32_t>(i)).first->second;
  }
  for (size_t i = 0; i < classes.size(); ++i) {
    auto found = by_key.find(classes[i].parent_key);
    if (found == by_key.end() || found->second == i) continue;
    parent_[i] = static_cast<int>(found->second);
    children_[found->second].push_back(static_cast<uint32_t>(i));
  }
}

int DictionaryTree::StepsUp(size_t index, size_t ancestor, int most) const {
  int at = parent_[index];
  for (int steps = 1; at != kNone && steps <= most; ++steps, at = parent_[at]) {
    if (static_cast<size_t>(at) == ancestor) return steps;
  }
  return 0;
}

std::vector<uint32_t> DictionaryTree::Lineage(size_t index) const {
  std::vector<uint32_t> lineage{static_cast<uint32_t>(index)};
  for (int at = parent_[index]; at != kNone && lineage.size() <= kDeepest; at = parent_[at]) {
    lineage.push_back(static_cast<uint32_t>(at));
  }
  return lineage;
}
