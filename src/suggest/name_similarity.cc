#include "suggest/name_similarity.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "suggest/suggest_model.h"

namespace {

// Words that meet only through their stems: "Paper" and "Papers", but also
// "Reviewer" and "Review", which the stemmer joins and which differ.
constexpr double kStemOnly = 0.75;

bool Holds(std::span<const uint32_t> words, uint32_t word) {
  return std::binary_search(words.begin(), words.end(), word);
}

uint32_t FormOf(const NameProfile& profile, uint32_t word) {
  const auto words = profile.words();
  auto at = std::lower_bound(words.begin(), words.end(), word);
  return profile.forms()[static_cast<size_t>(at - words.begin())];
}

}  // namespace

Likeness NameLikeness(const NameProfile& source, const NameProfile& target,
                      const WordWeights& weights, const WordLinks& links) {
  Likeness likeness;
  if (source.empty() || target.empty()) return likeness;
  if (source.compact == target.compact) {
    likeness.score = 1.0;
    return likeness;
  }
  double shared = 0;
  uint32_t used[8];  // target words a link already took; more links than this are not counted
  size_t used_count = 0;
  const auto source_words = source.words(), target_words = target.words();
  for (size_t i = 0; i < source_words.size(); ++i) {
    const uint32_t word = source_words[i];
    const double weight = weights.Weight(word) * (1.0 - links.Dropped(word));
    if (Holds(target_words, word)) {
      const bool same_form = source.forms()[i] == FormOf(target, word);
      shared += (same_form ? 1.0 : kStemOnly) * (weight + weights.Weight(word));
      if (!same_form) likeness.signals |= kSignalStems;
      continue;
    }
    const WordLink* best = nullptr;
    for (const WordLink& link : links.From(word)) {
      if (!Holds(target_words, link.to) || Holds(source_words, link.to)) continue;
      if (std::find(used, used + used_count, link.to) != used + used_count) continue;
      if (best == nullptr || link.strength > best->strength) best = &link;
    }
    if (best == nullptr || used_count == std::size(used)) continue;
    used[used_count++] = best->to;
    shared += best->strength * (weight + weights.Weight(best->to));
    likeness.signals |= best->signal;
  }
  if (shared <= 0) return Likeness{};
  double total = 0;
  for (uint32_t word : source_words) total += weights.Weight(word) * (1.0 - links.Dropped(word));
  for (uint32_t word : target_words) total += weights.Weight(word);
  likeness.score = total > 0 ? std::min(1.0, shared / total) : 0.0;
  return likeness;
}
