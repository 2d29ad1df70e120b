// How much a shared word says: the inverse of how many names of both
// dictionaries hold it, so that a rare word counts more than one that half
// the classes carry ("Equipment", or "has" and "is" among attributes).
#ifndef ZOR_SUGGEST_WORD_WEIGHTS_H_
#define ZOR_SUGGEST_WORD_WEIGHTS_H_

#include <cstdint>
#include <span>
#include <vector>

#include "suggest/name_profiles.h"

class WordWeights {
 public:
  // Counts each word once per name set (a class's label and key together).
  void Count(const std::vector<const NameProfile*>& names);
  // Turns the counts into weights; with `flat`, every word weighs 1.
  void Finish(size_t vocabulary_size, bool flat);

  double Weight(uint32_t word) const { return word < weights_.size() ? weights_[word] : 1.0; }
  size_t Frequency(uint32_t word) const { return word < counts_.size() ? counts_[word] : 0; }
  double Sum(std::span<const uint32_t> words) const;

 private:
  std::vector<uint32_t> counts_;
  std::vector<double> weights_;
  size_t sets_ = 0;
};

#endif  // ZOR_SUGGEST_WORD_WEIGHTS_H_
