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

// The distinct padded trigrams of a word, as numbers.
std::vector<uint32_t> WordTrigrams(const std::string& word);

#endif  // ZOR_SUGGEST_SPELLING_INDEX_H_
