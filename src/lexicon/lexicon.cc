#include "lexicon/lexicon.h"

#include <algorithm>
#include <tuple>

#include "lexicon/phrase_key.h"
#include "platform/executable_folder.h"

namespace {

LexiconSource SourceOf(WordNetRelationKind kind) {
  return kind == WordNetRelationKind::kPertainym ? LexiconSource::kWordNetPertainym
                                                 : LexiconSource::kWordNetSynonym;
}

}  // namespace

Lexicon::Lexicon() = default;
Lexicon::~Lexicon() = default;
Lexicon::Lexicon(Lexicon&&) noexcept = default;
Lexicon& Lexicon::operator=(Lexicon&&) noexcept = default;

std::string Lexicon::LoadWordNet(const std::string& folder, const WordNetSenses& senses) {
  std::string problem;
  wordnet_ = WordNetDatabase::Load(folder, problem);
  senses_ = senses;
  return problem;
}

std::vector<SynonymProblem> Lexicon::LoadUserSynonyms(const std::string& path,
                                                      std::vector<SynonymProblem>* warnings) {
  UserSynonyms synonyms = ReadUserSynonyms(path);
  if (warnings != nullptr) *warnings = std::move(synonyms.warnings);
  if (synonyms.problems.empty()) {
    user_.Add(synonyms.groups);
    user_groups_ = std::move(synonyms.groups);
    user_file_ = path;
  }
  return synonyms.problems;
}

void Lexicon::AddUserGroups(const std::vector<SynonymGroup>& groups) { user_.Add(groups); }

std::vector<LexiconRelation> Lexicon::Related(std::string_view folded_phrase) const {
  const std::string key = PhraseKey(folded_phrase);
  std::vector<LexiconRelation> relations;
  for (std::string& phrase : user_.Related(key)) {
    relations.push_back({std::move(phrase), LexiconSource::kUserSynonym, 0});
  }
  if (wordnet_ != nullptr) {
    for (WordNetRelation& relation : wordnet_->Related(key, senses_)) {
      relations.push_back(
          {std::move(relation.phrase), SourceOf(relation.kind), relation.sense_rank});
    }
  }
  std::sort(relations.begin(), relations.end(),
            [](const LexiconRelation& a, const LexiconRelation& b) {
              return std::tie(a.sense_rank, a.source, a.phrase) <
                     std::tie(b.sense_rank, b.source, b.phrase);
            });
  return relations;
}

bool Lexicon::IsEntry(std::string_view folded_phrase) const {
  if (wordnet_ != nullptr && wordnet_->IsEntry(folded_phrase)) return true;
  return HasUserSynonyms() && user_.Holds(PhraseKey(folded_phrase));
}

std::string Lexicon::WordNetDamage() const { return wordnet_ != nullptr ? wordnet_->Damage() : ""; }

std::string DefaultWordNetFolder() {
#ifdef _WIN32
  const std::string folder = ExecutableFolder();
  return folder.empty() ? std::string("wordnet") : folder + "/wordnet";
#else
  return "/usr/share/wordnet";
#endif
}
