#include "lexicon/collocation_filter.h"

#include "lexicon/phrase_key.h"

namespace {

constexpr uint64_t kBits = uint64_t{1} << 20;  // about 1% false hits for WordNet's 60,000 words

bool JoinsWords(char c) { return c == ' ' || c == '\t' || c == '_' || c == '-'; }

// Two bit positions from the two halves of one hash.
uint64_t First(uint64_t hash) { return hash & (kBits - 1); }
uint64_t Second(uint64_t hash) { return (hash >> 32) & (kBits - 1); }

}  // namespace

CollocationFilter::CollocationFilter() : bits_(kBits / 64) {}

void CollocationFilter::AddWords(std::string_view text) {
  for (size_t start = 0; start < text.size();) {
    size_t end = start;
    while (end < text.size() && !JoinsWords(text[end])) ++end;
    if (end > start) Add(text.substr(start, end - start));
    start = end + 1;
  }
}

void CollocationFilter::Add(std::string_view word) {
  const uint64_t hash = PhraseKeyHash(word);
  bits_[First(hash) / 64] |= uint64_t{1} << (First(hash) % 64);
  bits_[Second(hash) / 64] |= uint64_t{1} << (Second(hash) % 64);
}

bool CollocationFilter::MayHold(std::string_view word) const {
  const uint64_t hash = PhraseKeyHash(word);
  return (bits_[First(hash) / 64] >> (First(hash) % 64) & 1) != 0 &&
         (bits_[Second(hash) / 64] >> (Second(hash) % 64) & 1) != 0;
}
