// The lines of WordNet 3.0's database files (index.*, data.*, *.exc),
// parsed in place and strictly: a field out of its documented form makes
// the line unusable rather than half read. Every loop is bounded by the
// line, so no line can make a parse run away.
#ifndef ZOR_LEXICON_WORDNET_RECORDS_H_
#define ZOR_LEXICON_WORDNET_RECORDS_H_

#include <cstdint>
#include <string_view>
#include <vector>

enum class WordNetPos : uint8_t { kNoun, kVerb, kAdjective, kAdverb };
constexpr int kWordNetPosCount = 4;

// "noun", "verb", "adj", "adv": the files' suffixes and prefixes.
std::string_view WordNetPosName(WordNetPos pos);

// The licence at the top of the index and data files: lines that begin
// with a blank, so that they sort before every entry.
bool IsLicenceLine(std::string_view line);

// index.POS: "lemma pos synset_cnt p_cnt [ptr_symbol...] sense_cnt
// tagsense_cnt synset_offset..." with the offsets in sense order.
struct IndexEntry {
  std::string_view lemma;    // lower case, '_' between the words of a collocation
  uint32_t sense_count = 0;  // at least 1
  std::string_view offsets;  // 8 digits each, one blank apart
  uint32_t largest_offset = 0;

  // The data file offset of sense `sense` (counted from 0).
  uint32_t Offset(uint32_t sense) const;
};
bool ParseIndexLine(std::string_view line, WordNetPos pos, IndexEntry& entry);

// A pointer of a data record: "symbol offset pos source/target".
struct DataPointer {
  std::string_view symbol;  // "\\" is a pertainym, "@" a hypernym, ...
  uint32_t offset = 0;
  WordNetPos pos = WordNetPos::kNoun;
  uint8_t source_word = 0;  // 1-based in this synset; 0: the synset as a whole
  uint8_t target_word = 0;  // 1-based in the target synset; 0: as a whole
};

// data.POS: "offset lex_filenum ss_type w_cnt word lex_id [word lex_id...]
// p_cnt [ptr...] [frames...] | gloss".
struct DataRecord {
  uint32_t offset = 0;
  char synset_type = 'n';               // n, v, a, s (an adjective satellite) or r
  std::vector<std::string_view> words;  // as written, an adjective's marker ("(p)") cut off
  std::vector<DataPointer> pointers;
};
bool ParseDataRecord(std::string_view line, DataRecord& record);

// POS.exc: "inflected base [base...]".
struct ExceptionEntry {
  std::string_view inflected;
  std::string_view bases;  // one blank apart
};
bool ParseExceptionLine(std::string_view line, ExceptionEntry& entry);

#endif  // ZOR_LEXICON_WORDNET_RECORDS_H_
