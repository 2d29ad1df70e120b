#include "suggest/lexicon_links.h"

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "suggest/name_words.h"
#include "suggest/suggest_model.h"

namespace {

// Runs of more words are seldom entries of WordNet, and never cheap to ask.
constexpr size_t kLongestWordNetRun = 3;

std::vector<uint32_t> Sorted(std::vector<uint32_t> words) {
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  return words;
}

std::vector<uint32_t> Without(const std::vector<uint32_t>& words,
                              const std::vector<uint32_t>& other) {
  std::vector<uint32_t> rest;
  std::set_difference(words.begin(), words.end(), other.begin(), other.end(),
                      std::back_inserter(rest));
  return rest;
}

// Whether a word of a name can be the lexicon's word as written, or one of
// its inflections ("arteries" for "artery", "leaving" for "leave"), rather
// than only sharing its stem: "organizator" and "organizational" stem
// alike, and so do "universal" and "university"; neither pair is one word.
bool InflectionOf(std::string_view word, std::string_view form) {
  static constexpr std::string_view kEndings[] = {"", "s", "es", "e", "y", "ies", "ed", "d", "ing"};
  auto inflectional = [](std::string_view ending) {
    return std::find(std::begin(kEndings), std::end(kEndings), ending) != std::end(kEndings);
  };
  size_t common = 0;
  while (common < word.size() && common < form.size() && word[common] == form[common]) ++common;
  return 2 * common >= std::min(word.size(), form.size()) && inflectional(word.substr(common)) &&
         inflectional(form.substr(common));
}

std::string Joined(const std::vector<std::string>& words, size_t begin, size_t end) {
  std::string phrase;
  for (size_t i = begin; i < end; ++i) (phrase += phrase.empty() ? "" : " ") += words[i];
  return phrase;
}

class LexiconLinker {
 public:
  LexiconLinker(const Lexicon& lexicon, WordVocabulary& vocabulary,
                const std::vector<WordLinks*>& links, uint32_t signals, LexiconEvidence& evidence,
                const LexiconStrengths& strengths)
      : lexicon_(lexicon),
        vocabulary_(vocabulary),
        links_(links),
        signals_(signals),
        evidence_(evidence),
        strengths_(strengths) {}

  void NoteTarget(const std::vector<std::string_view>& labels) {
    std::unordered_set<std::string_view> seen;
    for (std::string_view label : labels) {
      if (!seen.insert(label).second) continue;
      for (std::string& word : NameWords(label)) {
        const uint32_t id = vocabulary_.Known(word);
        if (id == WordVocabulary::kUnknown) continue;
        std::vector<std::string>& forms = target_forms_[id];
        if (std::find(forms.begin(), forms.end(), word) == forms.end())
          forms.push_back(std::move(word));
      }
    }
  }

  void LinkSource(const std::vector<std::string_view>& labels) {
    std::unordered_set<std::string_view> seen;
    const size_t longest = std::max(kLongestWordNetRun, lexicon_.MostUserPhraseWords());
    for (std::string_view label : labels) {
      if (!seen.insert(label).second) continue;
      const std::vector<std::string> words = NameWords(label);
      for (size_t begin = 0; begin < words.size(); ++begin) {
        for (size_t end = begin + 1; end <= words.size() && end - begin <= longest; ++end) {
          const std::string phrase = Joined(words, begin, end);
          if (!asked_.insert(phrase).second) continue;
          if (end - begin > 1 && !lexicon_.IsEntry(phrase)) continue;
          LinkPhrase(phrase, end - begin);
        }
      }
    }
  }

 private:
  // The phrase's words as the names number them; empty when a word is in
  // no name (or, with `in_target`, in no name of the target).
  std::vector<uint32_t> Numbered(const std::string& phrase, bool in_target) {
    std::vector<uint32_t> words;
    for (const std::string& word : NameWords(phrase)) {
      const uint32_t id = vocabulary_.Known(word);
      if (id == WordVocabulary::kUnknown || (in_target && !InTarget(id, word))) return {};
      words.push_back(id);
    }
    return Sorted(std::move(words));
  }

  bool InTarget(uint32_t id, const std::string& word) const {
    auto found = target_forms_.find(id);
    if (found == target_forms_.end()) return false;
    return std::any_of(found->second.begin(), found->second.end(),
                       [&](const std::string& form) { return InflectionOf(word, form); });
  }

  std::vector<std::string> Words(const std::vector<uint32_t>& ids) const {
    std::vector<std::string> words;
    for (uint32_t id : ids) words.push_back(vocabulary_.Word(id));
    return words;
  }

  double Strength(const LexiconRelation& relation, size_t words) const {
    switch (relation.source) {
      case LexiconSource::kUserSynonym:
        return strengths_.user;
      case LexiconSource::kWordNetPertainym:
        return strengths_.pertainym;
      case LexiconSource::kWordNetSynonym:
        break;
    }
    const bool phrase = words > 1 || relation.phrase.find(' ') != std::string::npos;
    return phrase ? strengths_.phrase_synonym : strengths_.word_synonym;
  }

  void LinkPhrase(const std::string& phrase, size_t words) {
    const std::vector<uint32_t> from_all = Numbered(phrase, false);
    if (from_all.empty()) return;
    for (const LexiconRelation& relation : lexicon_.Related(phrase)) {
      const std::vector<uint32_t> to_all = Numbered(relation.phrase, true);
      if (to_all.empty()) continue;
      // Words both phrases hold meet as they are ("tube" in "eustachian
      // tube" and "auditory tube"): the rest stand for each other.
      const std::vector<uint32_t> from = Without(from_all, to_all), to = Without(to_all, from_all);
      if (from.empty() || to.empty()) continue;
      const double strength = Strength(relation, words);
      const uint32_t signal =
          relation.source == LexiconSource::kUserSynonym ? kSignalSynonyms : kSignalLexicon;
      if ((signals_ & signal) == 0) continue;
      evidence_.Add(Words(from), Words(to), phrase + " ~ " + relation.phrase, signal);
      for (WordLinks* links : links_) {
        if (from.size() == 1 && to.size() == 1) {
          links->Add(from.front(), to.front(), strength, signal);
        } else {
          links->AddPhrase({from, to, strength, signal});
        }
      }
    }
  }

  const Lexicon& lexicon_;
  WordVocabulary& vocabulary_;
  const std::vector<WordLinks*>& links_;
  uint32_t signals_;
  LexiconEvidence& evidence_;
  const LexiconStrengths& strengths_;
  // The words of the target's names by their numbers, as they are written.
  std::unordered_map<uint32_t, std::vector<std::string>> target_forms_;
  std::unordered_set<std::string> asked_;
};

}  // namespace

void LinkLexicon(const Lexicon& lexicon, const std::vector<std::string_view>& source_labels,
                 const std::vector<std::string_view>& target_labels, WordVocabulary& vocabulary,
                 const std::vector<WordLinks*>& links, uint32_t signals, LexiconEvidence& evidence,
                 const LexiconStrengths& strengths) {
  LexiconLinker linker(lexicon, vocabulary, links, signals, evidence, strengths);
  linker.NoteTarget(target_labels);
  linker.LinkSource(source_labels);
}
