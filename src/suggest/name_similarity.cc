#include "suggest/name_similarity.h"

#include <algorithm>

namespace {

bool Holds(const std::vector<uint32_t>& words, uint32_t word) {
  return std::binary_search(words.begin(), words.end(), word);
}

}  // namespace

Likeness NameLikeness(const NameProfile& source, const NameProfile& target,
                      const WordWeights& weights, const WordLinks& links) {
  Likeness likeness;
  if (source.words.empty() || target.words.empty()) return likeness;
  if (source.compact == target.compact) {
    likeness.score = 1.0;
    return likeness;
  }
  double total = 0;
  for (uint32_t word : source.words) total += weights.Weight(word) * (1.0 - links.Dropped(word));
  for (uint32_t word : target.words) total += weights.Weight(word);
  double shared = 0;
  std::vector<uint32_t> used;  // target words a link already took
  for (uint32_t word : source.words) {
    const double weight = weights.Weight(word) * (1.0 - links.Dropped(word));
    if (Holds(target.words, word)) {
      shared += weight + weights.Weight(word);
      continue;
    }
    const WordLink* best = nullptr;
    for (const WordLink& link : links.From(word)) {
      if (!Holds(target.words, link.to) || Holds(source.words, link.to)) continue;
      if (std::find(used.begin(), used.end(), link.to) != used.end()) continue;
      if (best == nullptr || link.strength > best->strength) best = &link;
    }
    if (best == nullptr) continue;
    used.push_back(best->to);
    shared += best->strength * (weight + weights.Weight(best->to));
    likeness.signals |= best->signal;
  }
  likeness.score = total > 0 ? std::min(1.0, shared / total) : 0.0;
  return likeness;
}
