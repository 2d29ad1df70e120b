// The user's word groups as the lexicon looks them up: every entry folded
// the way the matcher folds names (case, accents, compatibility forms; runs
// of blanks, '_' and '-' as one blank), and the groups of a phrase found by
// hashing it. Groups that share an entry stay apart: "temp = temperature"
// and "temp = template" relate "temp" to both, never "temperature" to
// "template".
#ifndef ZOR_LEXICON_SYNONYM_INDEX_H_
#define ZOR_LEXICON_SYNONYM_INDEX_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lexicon/user_synonyms.h"

class SynonymIndex {
 public:
  void Add(const std::vector<SynonymGroup>& groups);

  // The other entries of every group that holds `key` (a phrase key), each
  // once, in the order of the groups and their entries.
  std::vector<std::string> Related(std::string_view key) const;
  bool Holds(std::string_view key) const;
  bool Empty() const { return groups_.empty(); }
  // The most words an entry has: the longest run of a name worth asking.
  size_t MostWords() const { return most_words_; }

 private:
  std::vector<std::vector<std::string>> groups_;
  std::unordered_map<std::string, std::vector<uint32_t>> groups_of_;
  size_t most_words_ = 0;
};

#endif  // ZOR_LEXICON_SYNONYM_INDEX_H_
