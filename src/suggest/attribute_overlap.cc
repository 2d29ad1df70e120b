#include "suggest/attribute_overlap.h"

#include <algorithm>
#include <iterator>

namespace {

std::vector<std::vector<uint32_t>> InheritedSets(const std::vector<AttributeNames>& attributes,
                                                 const DictionaryTree& tree) {
  std::vector<std::vector<uint32_t>> sets(attributes.size());
  for (size_t i = 0; i < attributes.size(); ++i) {
    for (uint32_t at : tree.Lineage(i)) {
      const std::vector<uint32_t>& own = attributes[at].identities;
      sets[i].insert(sets[i].end(), own.begin(), own.end());
    }
    std::sort(sets[i].begin(), sets[i].end());
    sets[i].erase(std::unique(sets[i].begin(), sets[i].end()), sets[i].end());
  }
  return sets;
}

}  // namespace

AttributeOverlap::AttributeOverlap(const MatchContext& context)
    : source_sets_(InheritedSets(context.source_attributes, context.source_tree)),
      target_sets_(InheritedSets(context.target_attributes, context.target_tree)) {}

double AttributeOverlap::Share(size_t source, size_t target) const {
  const std::vector<uint32_t>& s = source_sets_[source];
  const std::vector<uint32_t>& t = target_sets_[target];
  if (s.empty() || t.empty()) return 0;
  size_t common = 0;
  for (size_t i = 0, j = 0; i < s.size() && j < t.size();) {
    if (s[i] < t[j]) {
      ++i;
    } else if (t[j] < s[i]) {
      ++j;
    } else {
      ++common, ++i, ++j;
    }
  }
  return static_cast<double>(common) / static_cast<double>(std::max(s.size(), t.size()));
}
