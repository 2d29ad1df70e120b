// Arbitrary bytes as WordNet's database: cut at each separator line into
// the twelve files in the order of kFiles (missing ones empty), written
// into a scratch folder and loaded. A refused database names its folder; a
// loaded one takes every lemma of its index files for an entry and answers
// any query with relations that are not the query itself, ranked from 1.
// Each line is also parsed on its own as each kind of line, and whatever
// the parsers give must lie within the line. Any failure aborts.
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/phrase_key.h"
#include "lexicon/wordnet_database.h"
#include "lexicon/wordnet_records.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSeparator = "\n#~#~#\n";
constexpr const char* kFiles[] = {"index.noun", "data.noun", "noun.exc",  "index.verb",
                                  "data.verb",  "verb.exc",  "index.adj", "data.adj",
                                  "adj.exc",    "index.adv", "data.adv",  "adv.exc"};
// The queries asked of a loaded database, besides its own lemmas.
constexpr const char* kQueries[] = {"renal", "kidneys", "heart", "geese", "auditory tubes", "x"};

fs::path& ScratchFolder() {
  static fs::path folder;
  return folder;
}

void RemoveScratchFolder() {
  std::error_code ignored;
  fs::remove_all(ScratchFolder(), ignored);
}

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "wordnet_fuzzer: %s\n", what);
  std::abort();
}

bool Within(std::string_view part, std::string_view line) {
  return part.empty() ||
         (part.data() >= line.data() && part.data() + part.size() <= line.data() + line.size());
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void CheckParsers(std::string_view line) {
  for (WordNetPos pos : {WordNetPos::kNoun, WordNetPos::kAdjective}) {
    IndexEntry entry;
    if (!ParseIndexLine(line, pos, entry)) continue;
    Require(Within(entry.lemma, line) && Within(entry.offsets, line),
            "an index view outside its line");
    uint32_t largest = 0;
    for (uint32_t sense = 0; sense < entry.sense_count; ++sense) {
      largest = std::max(largest, entry.Offset(sense));
    }
    Require(entry.sense_count > 0 && largest == entry.largest_offset,
            "an index line's offsets misread");
  }
  DataRecord record;
  if (ParseDataRecord(line, record)) {
    Require(!record.words.empty(), "a record without words");
    for (std::string_view word : record.words)
      Require(Within(word, line) && !word.empty(), "a word outside its record");
    for (const DataPointer& pointer : record.pointers)
      Require(Within(pointer.symbol, line), "a pointer outside its record");
  }
  ExceptionEntry exception;
  if (ParseExceptionLine(line, exception)) {
    Require(Within(exception.inflected, line) && Within(exception.bases, line) &&
                !exception.bases.empty(),
            "an exception outside its line");
  }
}

void CheckDatabase(const WordNetDatabase& database, const std::vector<std::string_view>& pieces) {
  std::vector<std::string> queries(std::begin(kQueries), std::end(kQueries));
  for (size_t file : {0, 3, 6, 9}) {  // the index files
    if (file >= pieces.size()) continue;
    for (std::string_view line : Lines(pieces[file])) {
      if (IsLicenceLine(line) || queries.size() > 40) continue;
      const std::string lemma(line.substr(0, line.find(' ')));
      Require(PhraseKey(lemma).empty() || database.IsEntry(lemma),
              "an index lemma that is no entry");
      queries.push_back(lemma);
      queries.push_back(lemma + "s");
    }
  }
  for (const std::string& query : queries) {
    const std::string key = PhraseKey(query);
    for (const WordNetRelation& relation : database.Related(query, {3, 999})) {
      Require(!relation.phrase.empty() && relation.phrase != key && relation.sense_rank >= 1,
              "a relation empty, to the query itself or unranked");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zor-wordnet-fuzzer-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  ScratchFolder() = pattern;
  std::atexit(RemoveScratchFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> pieces;
  for (size_t i = 0; i < std::size(kFiles); ++i) {
    size_t end = i + 1 < std::size(kFiles) ? input.find(kSeparator) : std::string_view::npos;
    pieces.push_back(input.substr(0, end));
    input =
        end == std::string_view::npos ? std::string_view() : input.substr(end + kSeparator.size());
    for (std::string_view line : Lines(pieces.back())) CheckParsers(line);
    std::ofstream(ScratchFolder() / kFiles[i], std::ios::binary | std::ios::trunc)
        .write(pieces.back().data(), static_cast<std::streamsize>(pieces.back().size()));
  }
  std::string problem;
  std::unique_ptr<WordNetDatabase> database =
      WordNetDatabase::Load(ScratchFolder().string(), problem);
  if (database == nullptr) {
    Require(problem.starts_with(ScratchFolder().string() + "/"),
            "a problem that names no file of the folder");
    return 0;
  }
  CheckDatabase(*database, pieces);
  return 0;
}
