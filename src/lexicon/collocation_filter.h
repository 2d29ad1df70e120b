// Which words occur in WordNet's collocations at all, as a Bloom filter
// (128 KiB): most runs of two or three words of a name ("tank 10787") hold
// a word that no collocation has, in no base form either, and are answered
// without a single lookup. The filter errs only one way: a run it lets
// through may still be no entry.
#ifndef ZOR_LEXICON_COLLOCATION_FILTER_H_
#define ZOR_LEXICON_COLLOCATION_FILTER_H_

#include <cstdint>
#include <string_view>
#include <vector>

class CollocationFilter {
 public:
  CollocationFilter();
  // Marks every word of `text` (a lemma or an inflected form as written:
  // words apart by blanks, '_' or '-').
  void AddWords(std::string_view text);
  // False when `word` (one word of a phrase key) was certainly never marked.
  bool MayHold(std::string_view word) const;

 private:
  void Add(std::string_view word);
  std::vector<uint64_t> bits_;
};

#endif  // ZOR_LEXICON_COLLOCATION_FILTER_H_
