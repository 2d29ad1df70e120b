// Loading the database: the files read and every index line checked.
#include "lexicon/wordnet_database.h"

#include <algorithm>

#include "lexicon/phrase_key.h"
#include "platform/file_problem.h"

namespace {

constexpr size_t kIndexLimit = 64u << 20;
constexpr size_t kExceptionLimit = 16u << 20;
// Offsets are eight decimal digits: no data file can be larger.
constexpr uint64_t kDataLimit = 128u << 20;
// Index lines whose first record is checked against the index, per file.
constexpr size_t kSampledLines = 8;
constexpr size_t kLongestRecord = 64 * 1024;

constexpr WordNetPos kAllPos[] = {WordNetPos::kNoun, WordNetPos::kVerb, WordNetPos::kAdjective,
                                  WordNetPos::kAdverb};

int Number(WordNetPos pos) { return static_cast<int>(pos); }

// A lemma of several words, once it is a phrase key.
bool IsCollocation(std::string_view lemma) { return KeyWordCount(lemma) > 1; }

size_t CountLines(std::string_view text) {
  size_t lines = 0;
  for (size_t at = text.find('\n'); at != std::string_view::npos; at = text.find('\n', at + 1)) {
    ++lines;
  }
  return lines;
}

std::string LineProblem(const std::string& path, size_t line, std::string_view reason) {
  return path + ":" + std::to_string(line) + ": " + std::string(reason);
}

// Calls each_line(line, number, start) for every line of `text`; stops at
// the first call that returns a problem and returns it.
template <typename EachLine>
std::string ForEachLine(std::string_view text, const std::string& path, EachLine&& each_line) {
  size_t number = 0, start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    ++number;
    if (end == std::string_view::npos) return LineProblem(path, number, "cut short");
    std::string problem = each_line(text.substr(start, end - start), number, start);
    if (!problem.empty()) return problem;
    start = end + 1;
  }
  return "";
}

}  // namespace

std::unique_ptr<WordNetDatabase> WordNetDatabase::Load(const std::string& folder,
                                                       std::string& problem) {
  std::unique_ptr<WordNetDatabase> database(new WordNetDatabase());
  problem = database->Read(folder);
  if (problem.empty()) problem = database->IndexLines();
  for (WordNetPos pos : kAllPos) {
    if (problem.empty()) problem = database->CheckSample(pos);
  }
  if (problem.empty())
    problem = database->pertainyms_.Build(database->data_[Number(WordNetPos::kAdjective)]);
  if (!problem.empty()) database.reset();
  return database;
}

std::string WordNetDatabase::Read(const std::string& folder) {
  const std::string prefix = folder.empty() || folder.back() == '/' ? folder : folder + "/";
  for (WordNetPos pos : kAllPos) {
    const std::string name(WordNetPosName(pos));
    const int n = Number(pos);
    index_path_[n] = prefix + "index." + name;
    exception_path_[n] = prefix + name + ".exc";
    const std::string data_path = prefix + "data." + name;
    std::string reason = index_[n].Open(index_path_[n], kIndexLimit);
    if (!reason.empty()) return FileProblem(index_path_[n], reason);
    reason = exceptions_[n].Open(exception_path_[n], kExceptionLimit);
    if (!reason.empty()) return FileProblem(exception_path_[n], reason);
    reason = data_[n].Open(data_path, kDataLimit);
    if (!reason.empty()) return FileProblem(data_path, reason);
  }
  return "";
}

std::string WordNetDatabase::IndexLines() {
  size_t lines = 0;
  for (int n = 0; n < kWordNetPosCount; ++n) {
    lines += CountLines(index_[n].Bytes()) + CountLines(exceptions_[n].Bytes());
  }
  table_.Reset(lines);
  for (WordNetPos pos : kAllPos) {
    std::string problem = IndexFile(pos);
    if (problem.empty()) problem = ExceptionFile(pos);
    if (!problem.empty()) return problem;
  }
  return "";
}

std::string WordNetDatabase::IndexFile(WordNetPos pos) {
  const int n = Number(pos);
  const std::string& path = index_path_[n];
  size_t entries = 0;
  IndexEntry entry;
  std::string problem =
      ForEachLine(index_[n].Bytes(), path, [&](std::string_view line, size_t number, size_t start) {
        if (IsLicenceLine(line)) return std::string();
        if (!ParseIndexLine(line, pos, entry))
          return LineProblem(path, number, "not an entry of WordNet's index");
        if (entry.largest_offset >= data_[n].Size()) {
          return LineProblem(path, number, "names a record past the end of " + data_[n].Path());
        }
        Keep(entry.lemma, static_cast<uint32_t>(n), start);
        if (IsCollocation(entry.lemma)) {
          collocation_words_.AddWords(entry.lemma);
        }
        ++entries;
        return std::string();
      });
  if (problem.empty() && entries == 0) problem = FileProblem(path, "holds no entries");
  return problem;
}

std::string WordNetDatabase::ExceptionFile(WordNetPos pos) {
  const int n = Number(pos);
  const std::string& path = exception_path_[n];
  ExceptionEntry entry;
  return ForEachLine(exceptions_[n].Bytes(), path,
                     [&](std::string_view line, size_t number, size_t start) {
                       if (!ParseExceptionLine(line, entry))
                         return LineProblem(path, number, "not a line of WordNet's exception list");
                       Keep(entry.inflected, static_cast<uint32_t>(kWordNetPosCount + n), start);
                       // A word of a collocation may be an irregular form ("men of letters").
                       collocation_words_.AddWords(entry.inflected);
                       return std::string();
                     });
}

void WordNetDatabase::Keep(std::string_view lemma, uint32_t kind, size_t start) {
  table_.Add(PhraseKeyHash(lemma), (kind << kPlaceShift) | static_cast<uint32_t>(start));
}

// The first record of a few index lines spread over the file must be the
// record of a synset holding the line's lemma, in the same part of speech:
// an index and data files from different versions of WordNet fail here.
std::string WordNetDatabase::CheckSample(WordNetPos pos) {
  const int n = Number(pos);
  const std::string_view text = index_[n].Bytes();
  std::string line;
  DataRecord record;
  for (size_t sample = 0; sample < kSampledLines; ++sample) {
    size_t start = text.size() * sample / kSampledLines;
    if (start > 0) start = text.find('\n', start - 1) + 1;
    while (start < text.size() && IsLicenceLine(text.substr(start, 1))) {
      start = text.find('\n', start) + 1;
    }
    if (start >= text.size()) continue;
    IndexEntry entry;
    ParseIndexLine(text.substr(start, text.find('\n', start) - start), pos, entry);
    const uint32_t offset = entry.Offset(0);
    const std::string key = PhraseKey(entry.lemma);
    bool matches = data_[n].ReadLine(offset, kLongestRecord, line) &&
                   ParseDataRecord(line, record) && record.offset == offset &&
                   (record.synset_type == "nvar"[n] || (n == 2 && record.synset_type == 's')) &&
                   std::any_of(record.words.begin(), record.words.end(),
                               [&](std::string_view word) { return MatchesKey(word, key); });
    if (!matches) {
      return FileProblem(data_[n].Path(), "the record at byte " + std::to_string(offset) +
                                              " is not the one " + index_path_[n] +
                                              " names (another version of WordNet?)");
    }
  }
  return "";
}

std::string_view WordNetDatabase::LineAt(uint32_t place) const {
  const uint32_t kind = place >> kPlaceShift;
  const std::string_view text =
      (kind < kWordNetPosCount ? index_[kind] : exceptions_[kind - kWordNetPosCount]).Bytes();
  const size_t start = place & kPlaceOffsetMask;
  return text.substr(start, text.find('\n', start) - start);
}

bool WordNetDatabase::ReadRecord(WordNetPos pos, uint32_t offset, std::string& line,
                                 DataRecord& record) const {
  const OffsetFile& file = data_[Number(pos)];
  if (file.ReadLine(offset, kLongestRecord, line) && ParseDataRecord(line, record) &&
      record.offset == offset) {
    return true;
  }
  NoteDamage(pos, offset);
  return false;
}

void WordNetDatabase::NoteDamage(WordNetPos pos, uint32_t offset) const {
  std::lock_guard<std::mutex> lock(damage_mutex_);
  if (damage_.empty()) {
    damage_ = FileProblem(data_[Number(pos)].Path(),
                          "the record at byte " + std::to_string(offset) + " is damaged");
  }
}

std::string WordNetDatabase::Damage() const {
  std::lock_guard<std::mutex> lock(damage_mutex_);
  return damage_;
}
