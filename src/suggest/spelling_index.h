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
  struct Indexed {
    uint32_t trigrams;
    char first_letter;  // a variant keeps it: "anterior" and "interior" are two words
  };
  std::unordered_map<uint32_t, Indexed> indexed_;
};

// Long words one slip apart: a letter changed, added or dropped, or two
// neighbours swapped ("organisation" and "organization", "sponsor" and
// "sponzor"). Trigrams see such a pair as only half alike when the slip
// falls mid-word, and as alike as two different words that share a long
// beginning ("organizator" and "organization"), which is no slip. A slip
// never changes a word's first letter: "anterior" and "interior" are two words.
class SlipIndex {
 public:
  static constexpr size_t kLongestWord = 32;  // longer words are not names people type

  // `shortest` letters for the shorter of two words, `shortest_longer` for
  // the longer (the matcher's NameScoring says why).
  SlipIndex(size_t shortest, size_t shortest_longer)
      : shortest_(shortest), shortest_longer_(shortest_longer) {}

  void Add(uint32_t id, const std::string& word);
  // Orders what was added for Near; an Add undoes it.
  void Seal();
  // The indexed words other than `id` one slip away from `word`.
  std::vector<uint32_t> Near(uint32_t id, const std::string& word) const;

 private:
  struct Entry {
    uint32_t id;
    std::u32string letters;
  };
  std::u32string Letters(const std::string& word) const;

  size_t shortest_;
  size_t shortest_longer_;
  std::vector<Entry> entries_;
  // The hash of every word with one of its letters dropped, and as it is,
  // with the word's place in entries_: two words one slip apart share one.
  std::vector<std::pair<uint64_t, uint32_t>> variants_;
  bool sealed_ = true;
};

// Whether one slip tells two words (as letters) apart.
bool OneSlipApart(const std::u32string& a, const std::u32string& b);

// The distinct padded trigrams of a word, as numbers.
std::vector<uint32_t> WordTrigrams(const std::string& word);

#endif  // ZOR_SUGGEST_SPELLING_INDEX_H_
