#include "suggestion_run/synonym_coverage.h"

#include <sstream>
#include <unordered_set>

#include "lexicon/phrase_key.h"
#include "suggest/name_words.h"
#include "suggest/word_stems.h"
#include "text/folded_text.h"

namespace {

// Words shorter than this are not split: their parts would be letters.
constexpr size_t kShortestSplit = 6;
constexpr size_t kShortestPart = 2;

class NameWordSet {
 public:
  explicit NameWordSet(const SuggestInput& input) {
    for (const auto* side : {&input.source, &input.target}) {
      for (const SuggestClass& c : *side) {
        AddName(c.label);
        AddName(c.key);
        for (const SuggestAttribute& a : c.attributes) {
          AddName(a.label);
          AddName(a.key);
        }
      }
    }
  }

  // As the lexicon's relations meet names: the word, or another form of it.
  bool Holds(const std::string& word) {
    return words_.count(word) != 0 || stems_.count(stemmer_.Stem(word)) != 0;
  }
  bool HoldsExactly(const std::string& word) const { return words_.count(word) != 0; }

 private:
  void AddName(std::string_view name) {
    if (name.empty() || !seen_.insert(std::string(name)).second) return;
    for (std::string& word : NameWords(name)) {
      stems_.insert(stemmer_.Stem(word));
      words_.insert(std::move(word));
    }
  }

  WordStemmer stemmer_;
  std::unordered_set<std::string> seen_;
  std::unordered_set<std::string> words_;
  std::unordered_set<std::string> stems_;
};

std::vector<std::string> Words(const std::string& entry) {
  std::vector<std::string> words;
  std::istringstream in(PhraseKey(FoldText(entry)));
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// The word as two or three words the names hold, or "".
std::string Apart(const std::string& word, const NameWordSet& names) {
  if (word.size() < kShortestSplit) return "";
  for (size_t i = kShortestPart; i + kShortestPart <= word.size(); ++i) {
    const std::string head = word.substr(0, i), rest = word.substr(i);
    if (!names.HoldsExactly(head)) continue;
    if (names.HoldsExactly(rest)) return head + " " + rest;
    for (size_t j = kShortestPart; j + kShortestPart <= rest.size(); ++j) {
      if (names.HoldsExactly(rest.substr(0, j)) && names.HoldsExactly(rest.substr(j)))
        return head + " " + rest.substr(0, j) + " " + rest.substr(j);
    }
  }
  return "";
}

}  // namespace

std::vector<std::string> SynonymsInNoName(const std::vector<SynonymGroup>& groups,
                                          const std::string& file, const SuggestInput& input) {
  std::vector<std::string> warnings;
  if (groups.empty()) return warnings;
  NameWordSet names(input);
  for (const SynonymGroup& group : groups) {
    for (const std::string& entry : group.entries) {
      const std::vector<std::string> words = Words(entry);
      std::string missing;
      for (const std::string& word : words) {
        if (!names.Holds(word)) missing = word;
      }
      if (words.empty() || missing.empty()) continue;
      std::string text = file + ":" + std::to_string(group.line) + ": warning: '" + entry +
                         "' is in no name of either dictionary";
      const std::string apart = words.size() == 1 ? Apart(missing, names) : "";
      text += apart.empty() ? ", so it never meets one"
                            : ": the names hold '" + apart + "'; write its words apart";
      warnings.push_back(std::move(text));
    }
  }
  return warnings;
}
