#include "suggest/spelling_index.h"

#include <algorithm>

std::vector<uint32_t> WordTrigrams(const std::string& word) {
  const std::string padded = " " + word + " ";
  std::vector<uint32_t> trigrams;
  for (size_t i = 0; i + 3 <= padded.size(); ++i) {
    trigrams.push_back(static_cast<uint32_t>(static_cast<unsigned char>(padded[i])) << 16 |
                       static_cast<uint32_t>(static_cast<unsigned char>(padded[i + 1])) << 8 |
                       static_cast<uint32_t>(static_cast<unsigned char>(padded[i + 2])));
  }
  std::sort(trigrams.begin(), trigrams.end());
  trigrams.erase(std::unique(trigrams.begin(), trigrams.end()), trigrams.end());
  return trigrams;
}

namespace {

// Numbers are not misspelt: 1093 and 1039 are different things. Nor are
// short words, mostly abbreviations.
bool MaySpellVariants(const std::string& word) {
  if (word.size() < SpellingIndex::kShortestWord) return false;
  return std::none_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool MaySlip(const std::string& word) {
  return word.size() >= SlipIndex::kShortestWord && MaySpellVariants(word);
}

// The word with each of its letters dropped in turn, and as it is. Two
// words share one of these when one slip tells them apart. Letters beyond
// ASCII are dropped byte by byte: a slip among them is found less often.
template <typename Visit>
void ForEachVariant(const std::string& word, Visit visit) {
  visit(word);
  std::string variant;
  for (size_t i = 0; i < word.size(); ++i) {
    if (i > 0 && word[i] == word[i - 1]) continue;  // the same variant again
    variant.assign(word, 0, i);
    variant.append(word, i + 1);
    visit(variant);
  }
}

}  // namespace

void SlipIndex::Add(uint32_t id, const std::string& word) {
  if (!MaySlip(word)) return;
  ForEachVariant(word, [&](const std::string& variant) {
    std::vector<uint32_t>& ids = by_variant_[variant];
    if (ids.empty() || ids.back() != id) ids.push_back(id);
  });
}

std::vector<uint32_t> SlipIndex::Near(uint32_t id, const std::string& word) const {
  std::vector<uint32_t> near;
  if (!MaySlip(word)) return near;
  ForEachVariant(word, [&](const std::string& variant) {
    auto found = by_variant_.find(variant);
    if (found == by_variant_.end()) return;
    for (uint32_t other : found->second) {
      if (other != id) near.push_back(other);
    }
  });
  std::sort(near.begin(), near.end());
  near.erase(std::unique(near.begin(), near.end()), near.end());
  return near;
}

void SpellingIndex::Add(uint32_t id, const std::string& word) {
  if (!MaySpellVariants(word) || trigram_counts_.count(id) != 0) return;
  const std::vector<uint32_t> trigrams = WordTrigrams(word);
  for (uint32_t trigram : trigrams) postings_[trigram].push_back(id);
  trigram_counts_[id] = static_cast<uint32_t>(trigrams.size());
}

std::vector<std::pair<uint32_t, double>> SpellingIndex::Near(uint32_t id, const std::string& word,
                                                             double least) const {
  std::vector<std::pair<uint32_t, double>> near;
  if (!MaySpellVariants(word)) return near;
  const std::vector<uint32_t> trigrams = WordTrigrams(word);
  std::unordered_map<uint32_t, uint32_t> shared;
  for (uint32_t trigram : trigrams) {
    auto found = postings_.find(trigram);
    if (found == postings_.end()) continue;
    for (uint32_t other : found->second) ++shared[other];
  }
  for (const auto& [other, count] : shared) {
    if (other == id) continue;
    const double dice =
        2.0 * count / static_cast<double>(trigrams.size() + trigram_counts_.at(other));
    if (dice >= least) near.emplace_back(other, dice);
  }
  std::sort(near.begin(), near.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  return near;
}
