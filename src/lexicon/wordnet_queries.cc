// The relations of a phrase: the synonyms and pertainyms of its lemmas.
#include <algorithm>
#include <bitset>
#include <tuple>
#include <utility>

#include "lexicon/phrase_key.h"
#include "lexicon/wordnet_database.h"

namespace {

constexpr std::string_view kPertainym = "\\";

void AddRelation(std::vector<WordNetRelation>& relations, std::string phrase,
                 WordNetRelationKind kind, int rank) {
  if (phrase.empty()) return;
  for (WordNetRelation& relation : relations) {
    if (relation.kind == kind && relation.phrase == phrase) {
      relation.sense_rank = std::min(relation.sense_rank, rank);
      return;
    }
  }
  relations.push_back({std::move(phrase), kind, rank});
}

// A pertainym names one word of a synset ("hilar" the "hilum" of "hilus,
// hilum"). Where the synset holds two words, they are most often two
// spellings of one thing, and the adjective pertains to both; a larger
// synset gathers looser words ("heart, pump, ticker"), which it does not.
bool Doublet(const DataRecord& record) { return record.words.size() == 2; }

}  // namespace

std::vector<WordNetRelation> WordNetDatabase::Related(std::string_view phrase,
                                                      const WordNetSenses& senses) const {
  const std::string key = PhraseKey(phrase);
  const std::vector<Lemma> lemmas = Lemmas(key);
  std::vector<WordNetRelation> relations;
  const int most_senses = std::max(senses.synonyms, senses.pertainyms);
  for (const Lemma& lemma : lemmas) {
    if ((senses.parts_of_speech >> static_cast<int>(lemma.pos) & 1) == 0) continue;
    const uint32_t asked = static_cast<uint32_t>(std::clamp(most_senses, 0, 999));
    for (uint32_t sense = 0; sense < lemma.entry.sense_count && sense < asked; ++sense) {
      RelateSense(lemma, sense, senses, relations);
    }
  }
  std::erase_if(relations, [&](const WordNetRelation& relation) {
    return relation.phrase == key ||
           std::any_of(lemmas.begin(), lemmas.end(),
                       [&](const Lemma& lemma) { return lemma.key == relation.phrase; });
  });
  std::sort(
      relations.begin(), relations.end(), [](const WordNetRelation& a, const WordNetRelation& b) {
        return std::tie(a.sense_rank, a.kind, a.phrase) < std::tie(b.sense_rank, b.kind, b.phrase);
      });
  return relations;
}

// The synonyms in one sense's synset, and the pertainyms of the lemma's own
// word in it: the nouns an adjective pertains to (a pointer of its record)
// and the adjectives that pertain to a noun (the index gathered at load).
void WordNetDatabase::RelateSense(const Lemma& lemma, uint32_t sense, const WordNetSenses& senses,
                                  std::vector<WordNetRelation>& relations) const {
  const int rank = static_cast<int>(sense) + 1;
  const uint32_t offset = lemma.entry.Offset(sense);
  const bool synonyms = rank <= senses.synonyms;
  const bool forward = rank <= senses.pertainyms && lemma.pos == WordNetPos::kAdjective;
  const bool backward = rank <= senses.pertainyms && pertainyms_.Holds(lemma.pos, offset);
  std::string line;
  DataRecord record;
  if (!(synonyms || forward || backward) || !ReadRecord(lemma.pos, offset, line, record)) return;
  // The lemma's own words in the synset, numbered from 1 as pointers number them.
  std::bitset<256> own;
  for (size_t word = 0; word < record.words.size(); ++word) {
    own[word + 1] = MatchesKey(record.words[word], lemma.key);
  }
  for (size_t word = 0; synonyms && word < record.words.size(); ++word) {
    if (!own[word + 1]) {
      AddRelation(relations, PhraseKey(record.words[word]), WordNetRelationKind::kSynonym, rank);
    }
  }
  std::string target_line;
  DataRecord target;
  for (const DataPointer& pointer : record.pointers) {
    if (!forward || pointer.symbol != kPertainym ||
        (pointer.source_word != 0 && !own[pointer.source_word]) ||
        !ReadRecord(pointer.pos, pointer.offset, target_line, target)) {
      continue;
    }
    for (size_t word = 0; word < target.words.size(); ++word) {
      if (pointer.target_word == 0 || pointer.target_word == word + 1 || Doublet(target)) {
        AddRelation(relations, PhraseKey(target.words[word]), WordNetRelationKind::kPertainym,
                    rank);
      }
    }
  }
  if (!backward) return;
  pertainyms_.ForEachAdjective(lemma.pos, offset, [&](std::string_view adjective, uint8_t word) {
    if (word == 0 || own[word] || Doublet(record)) {
      AddRelation(relations, std::string(adjective), WordNetRelationKind::kPertainym, rank);
    }
  });
}
