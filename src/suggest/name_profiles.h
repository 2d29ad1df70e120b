// Every name of both dictionaries read once: its words as numbers (stems
// when stems are in use), shared by source and target so that equal words
// are equal numbers, and its compact folded form.
#ifndef ZOR_SUGGEST_NAME_PROFILES_H_
#define ZOR_SUGGEST_NAME_PROFILES_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "suggest/word_stems.h"

struct NameProfile {
  std::vector<uint32_t> words;  // distinct, sorted
  std::vector<uint32_t> forms;  // per word: the folded word it came from (its first one)
  std::string compact;
};

// The words seen so far, numbered in the order they were first seen.
class WordVocabulary {
 public:
  explicit WordVocabulary(bool use_stems) : use_stems_(use_stems) {}

  NameProfile Profile(std::string_view name);
  const std::string& Word(uint32_t id) const { return words_[id]; }
  size_t size() const { return words_.size(); }

 private:
  uint32_t Intern(const std::string& word);

  bool use_stems_;
  WordStemmer stemmer_;
  std::vector<std::string> words_;
  std::unordered_map<std::string, uint32_t> ids_;
};

// One class's names: its label, and its key when that reads differently.
struct ClassNames {
  NameProfile label;
  NameProfile key;
  bool key_differs = false;
  // An attribute's label without the words of its class's label
  // ("Name_of_conference" in class Conference): empty when nothing is left
  // or nothing was taken.
  NameProfile bare;
};

// The profile without the words (in the same form) that `other` holds.
NameProfile WithoutWordsOf(const NameProfile& profile, const NameProfile& other);

#endif  // ZOR_SUGGEST_NAME_PROFILES_H_
