#include "suggest/word_links.h"

void WordLinks::Add(uint32_t from, uint32_t to, double strength, uint32_t signal) {
  if (from >= links_.size()) links_.resize(from + 1);
  for (WordLink& link : links_[from]) {
    if (link.to != to) continue;
    if (strength > link.strength) link = WordLink{to, strength, signal};
    return;
  }
  links_[from].push_back(WordLink{to, strength, signal});
}

const std::vector<WordLink>& WordLinks::From(uint32_t word) const {
  static const std::vector<WordLink> kNone;
  return word < links_.size() ? links_[word] : kNone;
}

void WordLinks::MarkKnown(uint32_t word) {
  if (word >= known_.size()) known_.resize(word + 1, false);
  known_[word] = true;
}

void WordLinks::SetDropped(uint32_t word, double share) {
  if (word >= dropped_.size()) dropped_.resize(word + 1, 0.0);
  dropped_[word] = share;
}
