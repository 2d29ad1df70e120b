// What the suggestion matcher knows of words beyond their spelling: WordNet's
// synonyms and pertainyms ("renal" ~ "kidney") and the user's own word groups
// and abbreviations ("temp" ~ "temperature"). Either may be missing: a
// lexicon with neither relates nothing. Loading never throws; it returns
// the problem for the command to say. Queries are const and may run on
// several threads at once.
#ifndef ZOR_LEXICON_LEXICON_H_
#define ZOR_LEXICON_LEXICON_H_

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/synonym_index.h"
#include "lexicon/user_synonyms.h"
#include "lexicon/wordnet_database.h"

// Where a relation comes from, best evidence first.
enum class LexiconSource : uint8_t { kUserSynonym, kWordNetPertainym, kWordNetSynonym };

struct LexiconRelation {
  std::string phrase;  // folded: lower case, the words one blank apart
  LexiconSource source = LexiconSource::kUserSynonym;
  // WordNet's: the queried phrase's sense in which the relation holds, 1
  // for the most frequent. The user's groups have no senses: 0.
  int sense_rank = 0;
};

class Lexicon {
 public:
  Lexicon();
  ~Lexicon();
  Lexicon(Lexicon&&) noexcept;
  Lexicon& operator=(Lexicon&&) noexcept;

  // Loads WordNet's database from `folder`; returns an empty text, or the
  // problem in one line ("/usr/share/wordnet/index.noun: no such file"),
  // and the lexicon goes on without WordNet.
  std::string LoadWordNet(const std::string& folder, const WordNetSenses& senses = {});
  // Reads the user's synonyms file; returns every problem it has (see
  // SynonymProblemText), and keeps its groups only when there is none.
  // `warnings`, when given, gets what reads as a slip but is taken.
  std::vector<SynonymProblem> LoadUserSynonyms(const std::string& path,
                                               std::vector<SynonymProblem>* warnings = nullptr);
  // Groups already read (ParseUserSynonyms), for tests and tools.
  void AddUserGroups(const std::vector<SynonymGroup>& groups);

  bool HasWordNet() const { return wordnet_ != nullptr; }
  bool HasUserSynonyms() const { return !user_.Empty(); }
  // The groups of the synonyms file as written, and the file as named:
  // for what is said of them once the dictionaries are read.
  const std::vector<SynonymGroup>& UserGroups() const { return user_groups_; }
  const std::string& UserFile() const { return user_file_; }

  // The phrases related to `folded_phrase` (the matcher's folded words,
  // joined by blanks): the user's groups, then WordNet's relations, ordered
  // by sense rank, source and phrase. A phrase comes once per source.
  std::vector<LexiconRelation> Related(std::string_view folded_phrase) const;
  // True when the phrase is an entry of the user's groups or of WordNet
  // (after WordNet's base-form rules): for runs of two or three words of a
  // name, most of which are not.
  bool IsEntry(std::string_view folded_phrase) const;
  // The most words of an entry of the user's groups.
  size_t MostUserPhraseWords() const { return user_.MostWords(); }
  // The first damaged record of WordNet's data files that a query passed
  // over ("PATH: reason"), for a note at the end of a run; usually empty.
  std::string WordNetDamage() const;

 private:
  std::unique_ptr<WordNetDatabase> wordnet_;
  WordNetSenses senses_;
  SynonymIndex user_;
  std::vector<SynonymGroup> user_groups_;
  std::string user_file_;
};

// Where WordNet's database is looked for when the command is not told:
// Debian's /usr/share/wordnet (package wordnet-base), and on Windows the
// "wordnet" folder beside the executable, as the zip lays it out.
std::string DefaultWordNetFolder();

#endif  // ZOR_LEXICON_LEXICON_H_
