#include "suggest/word_weights.h"

#include <algorithm>
#include <cmath>

void WordWeights::Count(const std::vector<const NameProfile*>& names) {
  std::vector<uint32_t> seen;
  for (const NameProfile* name : names)
    seen.insert(seen.end(), name->words().begin(), name->words().end());
  std::sort(seen.begin(), seen.end());
  seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
  for (uint32_t word : seen) {
    if (word >= counts_.size()) counts_.resize(word + 1, 0);
    ++counts_[word];
  }
  ++sets_;
}

void WordWeights::Finish(size_t vocabulary_size, bool flat) {
  counts_.resize(vocabulary_size, 0);
  weights_.assign(vocabulary_size, 1.0);
  if (flat) return;
  const double sets = static_cast<double>(std::max<size_t>(sets_, 1));
  for (size_t i = 0; i < vocabulary_size; ++i) {
    weights_[i] = std::log(1.0 + sets / static_cast<double>(std::max<uint32_t>(counts_[i], 1)));
  }
}

double WordWeights::Sum(std::span<const uint32_t> words) const {
  double sum = 0;
  for (uint32_t word : words) sum += Weight(word);
  return sum;
}
