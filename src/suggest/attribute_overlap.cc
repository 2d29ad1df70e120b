#include "suggest/attribute_overlap.h"

#include <algorithm>
#include <iterator>

const std::vector<uint32_t>& AttributeOverlap::Side::Set(size_t index) {
  if (gathered[index]) return sets[index];
  gathered[index] = true;
  std::vector<uint32_t>& set = sets[index];
  for (uint32_t at : tree->Lineage(index)) {
    const std::vector<uint32_t>& own = (*attributes)[at].identities;
    set.insert(set.end(), own.begin(), own.end());
  }
  std::sort(set.begin(), set.end());
  set.erase(std::unique(set.begin(), set.end()), set.end());
  return set;
}

AttributeOverlap::AttributeOverlap(const MatchContext& context)
    : source_{&context.source_attributes, &context.source_tree, {}, {}},
      target_{&context.target_attributes, &context.target_tree, {}, {}} {
  for (Side* side : {&source_, &target_}) {
    side->sets.resize(side->attributes->size());
    side->gathered.assign(side->attributes->size(), false);
  }
}

double AttributeOverlap::Share(size_t source, size_t target) {
  const std::vector<uint32_t>& s = source_.Set(source);
  const std::vector<uint32_t>& t = target_.Set(target);
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
