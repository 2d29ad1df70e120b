// WordNet 3.0's database as Debian's wordnet-base installs it
// (/usr/share/wordnet), read for the suggestion matcher: the synonyms of a
// phrase's first senses, the adjectives and nouns that pertain to each
// other ("renal" and "kidney"), and whether a phrase of several words is an
// entry of its own ("auditory tube").
//
// The index files and exception lists are mapped into memory (6.3 MB) and
// found through one hash table (2 MiB); the data files stay on disk and are
// read a record at a time, at the byte offsets the index gives. Loading
// checks every index line, every record of data.adj and a sample of the
// other data files, so a damaged or cut-short database is refused whole,
// with the reason. Queries are const and may run on several threads at once.
#ifndef ZOR_LEXICON_WORDNET_DATABASE_H_
#define ZOR_LEXICON_WORDNET_DATABASE_H_

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/collocation_filter.h"
#include "lexicon/lemma_table.h"
#include "lexicon/pertainym_index.h"
#include "lexicon/wordnet_records.h"
#include "platform/file_reader.h"
#include "platform/mapped_file.h"

enum class WordNetRelationKind : uint8_t { kPertainym, kSynonym };

struct WordNetRelation {
  std::string phrase;  // lower case, the words one blank apart
  WordNetRelationKind kind = WordNetRelationKind::kSynonym;
  // The sense of the queried phrase, in its part of speech, in which the
  // relation holds: 1 for the most frequent sense.
  int sense_rank = 1;
};

// How many of a phrase's senses (per part of speech, most frequent first)
// are asked. Synonyms of later senses cost precision ("chair" and
// "president"); a pertainym holds between two particular words, so every
// sense is asked by default ("cardiac" pertains to the second sense of
// "heart").
struct WordNetSenses {
  int synonyms = 1;
  int pertainyms = 999;
  // The parts of speech asked, a bit each (1 << WordNetPos): all but verbs
  // by default. The names of classes and attributes are nouns and
  // adjectives; a verb's first sense relates actions ("pressure" as
  // "coerce", "switch" as "exchange").
  static constexpr unsigned kAllButVerbs = 0xFu & ~(1u << static_cast<int>(WordNetPos::kVerb));
  unsigned parts_of_speech = kAllButVerbs;
};

class WordNetDatabase {
 public:
  // No lemma of WordNet is longer (in bytes, as a phrase key): a longer
  // phrase is no entry and relates to nothing, answered at once.
  static constexpr size_t kLongestPhrase = 128;

  // The database in `folder`, or null with the reason in `problem`
  // ("FOLDER/index.noun: no such file", "FOLDER/data.adj:1234: cut short").
  static std::unique_ptr<WordNetDatabase> Load(const std::string& folder, std::string& problem);

  WordNetDatabase(const WordNetDatabase&) = delete;
  WordNetDatabase& operator=(const WordNetDatabase&) = delete;

  // The phrases related to `phrase` (words in lower case, one blank apart;
  // '_' and '-' count as blanks), after WordNet's base-form rules in every
  // part of speech ("kidneys" finds "kidney", "geese" finds "goose"): the
  // synonyms of its first senses, the nouns an adjective pertains to and
  // the adjectives that pertain to a noun. Each phrase once per kind, with
  // its best rank, ordered by rank, kind and phrase. Never the phrase itself
  // or its base forms.
  std::vector<WordNetRelation> Related(std::string_view phrase,
                                       const WordNetSenses& senses = {}) const;

  // True when the phrase, or its base form, is an entry of its own.
  bool IsEntry(std::string_view phrase) const;

  // The first damaged data record a query met and passed over, as
  // "PATH: reason"; empty while none was met.
  std::string Damage() const;

 private:
  struct Lemma {
    WordNetPos pos;
    IndexEntry entry;
    std::string key;
  };
  struct KeyFacts;
  // A line of the index or exception files: the file's number in the top
  // bits (the index of each part of speech, then its exception list) and
  // the line's byte offset below.
  static constexpr int kPlaceShift = 29;
  static constexpr uint32_t kPlaceOffsetMask = (1u << kPlaceShift) - 1;

  WordNetDatabase() = default;
  std::string Read(const std::string& folder);
  std::string IndexLines();
  std::string IndexFile(WordNetPos pos);
  std::string ExceptionFile(WordNetPos pos);
  void Keep(std::string_view lemma, uint32_t kind, size_t start);
  std::string CheckSample(WordNetPos pos);
  std::string_view LineAt(uint32_t place) const;
  KeyFacts Facts(std::string_view key) const;
  std::string BaseWord(std::string_view word, const KeyFacts& facts, WordNetPos pos) const;
  std::vector<Lemma> Lemmas(std::string_view key) const;
  bool MayBeCollocation(std::string_view key) const;
  void RelateSense(const Lemma& lemma, uint32_t sense, const WordNetSenses& senses,
                   std::vector<WordNetRelation>& relations) const;
  bool ReadRecord(WordNetPos pos, uint32_t offset, std::string& line, DataRecord& record) const;
  void NoteDamage(WordNetPos pos, uint32_t offset) const;

  std::array<MappedFile, kWordNetPosCount> index_;
  std::array<MappedFile, kWordNetPosCount> exceptions_;
  std::array<std::string, kWordNetPosCount> index_path_;
  std::array<std::string, kWordNetPosCount> exception_path_;
  std::array<OffsetFile, kWordNetPosCount> data_;
  LemmaTable table_;
  CollocationFilter collocation_words_;
  PertainymIndex pertainyms_;
  mutable std::mutex damage_mutex_;
  mutable std::string damage_;
};

#endif  // ZOR_LEXICON_WORDNET_DATABASE_H_
