// Words of the source that stand for other words of the target: spelling
// variants and substitutions learned from the table's rows. Also what the
// table's rows drop from source names or add to target names ("Conference"
// in "ConferenceMember" mapped to "Member"): such words say less.
#ifndef ZOR_SUGGEST_WORD_LINKS_H_
#define ZOR_SUGGEST_WORD_LINKS_H_

#include <cstdint>
#include <vector>

struct WordLink {
  uint32_t to = 0;
  double strength = 0;  // in (0, 1]: how far the two words count as one
  uint32_t signal = 0;  // the signal that made the link
};

class WordLinks {
 public:
  // Keeps the strongest link between two words.
  void Add(uint32_t from, uint32_t to, double strength, uint32_t signal);
  const std::vector<WordLink>& From(uint32_t word) const;
  bool Known(uint32_t word) const { return word < known_.size() && known_[word]; }
  void MarkKnown(uint32_t word);

  // The share of a word's weight that the table's rows show to be noise.
  void SetDropped(uint32_t word, double share);
  double Dropped(uint32_t word) const { return word < dropped_.size() ? dropped_[word] : 0.0; }

 private:
  std::vector<std::vector<WordLink>> links_;
  std::vector<bool> known_;
  std::vector<double> dropped_;
};

#endif  // ZOR_SUGGEST_WORD_LINKS_H_
