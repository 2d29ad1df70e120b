#include "suggest/spelling_index.h"

#include <algorithm>
#include <cassert>
#include <functional>
#include <string_view>

#include "text/wide_units.h"

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

// The letter at `at` (a UTF-8 sequence's bytes, packed; a byte that is no
// UTF-8 alone), and `at` moved past it.
char32_t NextLetter(const std::string& word, size_t& at) {
  const size_t length = std::max<size_t>(1, Utf8SequenceLength(word, at));
  char32_t letter = 0;
  for (size_t i = 0; i < length; ++i)
    letter = letter << 8 | static_cast<unsigned char>(word[at + i]);
  at += length;
  return letter;
}

uint64_t Hash(std::u32string_view letters) { return std::hash<std::u32string_view>()(letters); }

// Calls visit(hash) for the word with each of its letters dropped in turn
// (not the first: a slip keeps it), and for the word as it is.
template <typename Visit>
void ForEachVariant(const std::u32string& letters, Visit visit) {
  visit(Hash(letters));
  std::u32string variant;
  for (size_t i = 1; i < letters.size(); ++i) {
    if (letters[i] == letters[i - 1]) continue;  // the same variant again
    variant.assign(letters, 0, i);
    variant.append(letters, i + 1);
    visit(Hash(variant));
  }
}

}  // namespace

// The word's letters, or nothing when it is not one a slip is looked for in.
std::u32string SlipIndex::Letters(const std::string& word) const {
  if (!MaySpellVariants(word)) return {};
  std::u32string letters;
  size_t at = 0;
  while (at < word.size()) {
    if (letters.size() == kLongestWord) return {};
    letters.push_back(NextLetter(word, at));
  }
  if (letters.size() < shortest_) return {};
  return letters;
}

void SlipIndex::Add(uint32_t id, const std::string& word) {
  std::u32string letters = Letters(word);
  if (letters.empty()) return;
  const auto entry = static_cast<uint32_t>(entries_.size());
  ForEachVariant(letters, [&](uint64_t hash) { variants_.emplace_back(hash, entry); });
  entries_.push_back({id, std::move(letters)});
  sealed_ = false;
}

void SlipIndex::Seal() {
  std::sort(variants_.begin(), variants_.end());
  variants_.erase(std::unique(variants_.begin(), variants_.end()), variants_.end());
  sealed_ = true;
}

std::vector<uint32_t> SlipIndex::Near(uint32_t id, const std::string& word) const {
  assert(sealed_);
  std::vector<uint32_t> near;
  const std::u32string letters = Letters(word);
  if (letters.empty()) return near;
  ForEachVariant(letters, [&](uint64_t hash) {
    auto at = std::lower_bound(variants_.begin(), variants_.end(), std::make_pair(hash, 0u));
    for (; at != variants_.end() && at->first == hash; ++at) {
      const Entry& entry = entries_[at->second];
      if (entry.id != id && std::max(letters.size(), entry.letters.size()) >= shortest_longer_ &&
          OneSlipApart(letters, entry.letters))
        near.push_back(entry.id);
    }
  });
  std::sort(near.begin(), near.end());
  near.erase(std::unique(near.begin(), near.end()), near.end());
  return near;
}

bool OneSlipApart(const std::u32string& a, const std::u32string& b) {
  const std::u32string& longer = a.size() >= b.size() ? a : b;
  const std::u32string& shorter = a.size() >= b.size() ? b : a;
  if (longer.size() - shorter.size() > 1 || a.empty() || b.empty() || a[0] != b[0]) return false;
  size_t i = 0;
  while (i < shorter.size() && longer[i] == shorter[i]) ++i;
  const std::u32string_view l(longer), s(shorter);
  if (longer.size() != shorter.size()) return l.substr(i + 1) == s.substr(i);
  if (i == shorter.size()) return false;                // one word
  if (l.substr(i + 1) == s.substr(i + 1)) return true;  // a letter changed
  return i + 1 < l.size() && l[i] == s[i + 1] && l[i + 1] == s[i] &&
         l.substr(i + 2) == s.substr(i + 2);  // two neighbours swapped
}

void SpellingIndex::Add(uint32_t id, const std::string& word) {
  if (!MaySpellVariants(word) || indexed_.count(id) != 0) return;
  const std::vector<uint32_t> trigrams = WordTrigrams(word);
  for (uint32_t trigram : trigrams) postings_[trigram].push_back(id);
  indexed_[id] = Indexed{static_cast<uint32_t>(trigrams.size()), word[0]};
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
    const Indexed& indexed = indexed_.at(other);
    if (other == id || indexed.first_letter != word[0]) continue;
    const double dice = 2.0 * count / static_cast<double>(trigrams.size() + indexed.trigrams);
    if (dice >= least) near.emplace_back(other, dice);
  }
  std::sort(near.begin(), near.end(), [](const auto& a, const auto& b) {
    return a.second != b.second ? a.second > b.second : a.first < b.first;
  });
  return near;
}
