// Words that are spelled nearly alike (a typo, "reviewes" and "reviews",
// "organisation" and "organization"), found through their character
// trigrams rather than by comparing every pair of words.
#ifndef ZOR_SUGGEST_SPELLING_INDEX_H_
#define ZOR_SUGGEST_SPELLING_INDEX_H_

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class SpellingIndex {
 public:
  static constexpr size_t kShortestWord = 4;  // shorter words are abbreviations, not typos

  void Add(uint32_t id, const std::string& word);
  // The indexed words, other than `id` itself, whose trigrams agree with
  // the word's at least `least` (Dice coefficient), with that agreement.
  std::vector<std::pair<uint32_t, double>> Near(uint32_t id, const std::string& word,
                                                double least) const;

 private:
  std::unordered_map<uint32_t, std::vector<uint32_t>> postings_;
  std::unordered_map<uint32_t, uint32_t> trigram_counts_;
};

// Long words one slip apart: a letter changed, added, dropped, or two
// neighbours swapped ("organisation" and "organization", "sponsor" and
// "sponzor"). Trigrams see such a pair as only half alike when the slip
// falls mid-word, and as alike as two different words that share a long
// beginning ("organizator" and "organization"), which is no slip.
class SlipIndex {
 public:
  static constexpr size_t kShortestWord = 7;  // shorter words one letter apart are often two words

  void Add(uint32_t id, const std::string& word);
  // The indexed words other than `id` one slip away from `word`.
  std::vector<uint32_t> Near(uint32_t id, const std::string& word) const;

 private:
  // Every word with one of its letters dropped, and as it is.
  std::unordered_map<std::string, std::vector<uint32_t>> by_variant_;
};

// The distinct padded trigrams of a word, as numbers.
std::vector<uint32_t> WordTrigrams(const std::string& word);

#endif  // ZOR_SUGGEST_SPELLING_INDEX_H_
