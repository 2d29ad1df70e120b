#include "lexicon/wordnet_records.h"

#include <algorithm>
#include <cstddef>

namespace {

constexpr size_t kOffsetDigits = 8;
// More senses, words or pointers than any WordNet holds: a count beyond
// these is damage, not data.
constexpr uint32_t kMostSenses = 999;

// The fields of a line, one blank apart, read from the left. Fields are
// short: a plain loop finds their end sooner than a library search would.
class Fields {
 public:
  explicit Fields(std::string_view line) : at_(line.data()), end_(line.data() + line.size()) {}

  // The next field; false at the end of the line or before an empty field.
  bool Next(std::string_view& field) {
    const char* start = at_;
    while (at_ != end_ && *at_ != ' ') ++at_;
    field = std::string_view(start, static_cast<size_t>(at_ - start));
    if (at_ != end_) ++at_;
    return !field.empty();
  }
  bool NextDecimal(uint32_t& value, size_t most_digits) {
    std::string_view field;
    return Next(field) && Decimal(field, most_digits, value);
  }
  bool NextHex(uint32_t& value, size_t digits) {
    std::string_view field;
    return Next(field) && field.size() == digits && Hex(field, value);
  }
  // True when nothing but blanks is left.
  bool AtEnd() const {
    return std::all_of(at_, end_, [](char c) { return c == ' '; });
  }
  std::string_view Rest() const { return std::string_view(at_, static_cast<size_t>(end_ - at_)); }

  static bool Decimal(std::string_view digits, size_t most, uint32_t& value) {
    if (digits.empty() || digits.size() > most) return false;
    value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    return true;
  }
  static bool Hex(std::string_view digits, uint32_t& value) {
    value = 0;
    for (char c : digits) {
      int digit = c >= '0' && c <= '9'   ? c - '0'
                  : c >= 'a' && c <= 'f' ? c - 'a' + 10
                  : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                         : -1;
      if (digit < 0) return false;
      value = value * 16 + static_cast<uint32_t>(digit);
    }
    return true;
  }

 private:
  const char* at_;
  const char* end_;
};

// One to three digits and the blank after them, from `at`, which moves past.
bool SmallNumber(const char*& at, const char* end, uint32_t& value) {
  const char* start = at;
  value = 0;
  while (at != end && *at >= '0' && *at <= '9' && at - start < 3) {
    value = value * 10 + static_cast<uint32_t>(*at++ - '0');
  }
  if (at == start || at == end || *at != ' ') return false;
  ++at;
  return true;
}

bool PosFromLetter(char letter, WordNetPos& pos) {
  switch (letter) {
    case 'n':
      pos = WordNetPos::kNoun;
      return true;
    case 'v':
      pos = WordNetPos::kVerb;
      return true;
    case 'a':
    case 's':
      pos = WordNetPos::kAdjective;
      return true;
    case 'r':
      pos = WordNetPos::kAdverb;
      return true;
    default:
      return false;
  }
}

bool IsOffset(std::string_view field, uint32_t& offset) {
  return field.size() == kOffsetDigits && Fields::Decimal(field, kOffsetDigits, offset);
}

// In data.adj a word may carry a syntactic marker: "galore(ip)".
std::string_view WithoutMarker(std::string_view word) {
  if (word.size() < 3 || word.back() != ')') return word;
  size_t open = word.rfind('(');
  return open == std::string_view::npos || open == 0 ? word : word.substr(0, open);
}

bool ParseWords(Fields& fields, char synset_type, DataRecord& record) {
  uint32_t count = 0;
  if (!fields.NextHex(count, 2) || count == 0) return false;
  for (uint32_t i = 0; i < count; ++i) {
    std::string_view word;
    uint32_t lex_id = 0;
    if (!fields.Next(word) || !fields.NextHex(lex_id, 1)) return false;
    if (synset_type == 'a' || synset_type == 's') word = WithoutMarker(word);
    record.words.push_back(word);
  }
  return true;
}

bool ParsePointer(Fields& fields, DataRecord& record) {
  DataPointer pointer;
  std::string_view offset, pos, ends;
  uint32_t source_target = 0;
  if (!fields.Next(pointer.symbol) || pointer.symbol.size() > 2 || !fields.Next(offset) ||
      !IsOffset(offset, pointer.offset) || !fields.Next(pos) || pos.size() != 1 ||
      !PosFromLetter(pos[0], pointer.pos) || !fields.Next(ends) || ends.size() != 4 ||
      !Fields::Hex(ends, source_target)) {
    return false;
  }
  pointer.source_word = static_cast<uint8_t>(source_target >> 8);
  pointer.target_word = static_cast<uint8_t>(source_target & 0xFF);
  record.pointers.push_back(pointer);
  return true;
}

}  // namespace

std::string_view WordNetPosName(WordNetPos pos) {
  constexpr std::string_view kNames[] = {"noun", "verb", "adj", "adv"};
  return kNames[static_cast<int>(pos)];
}

bool IsLicenceLine(std::string_view line) { return !line.empty() && line[0] == ' '; }

uint32_t IndexEntry::Offset(uint32_t sense) const {
  uint32_t offset = 0;
  if (sense >= sense_count) return 0;
  Fields::Decimal(offsets.substr(sense * (kOffsetDigits + 1), kOffsetDigits), kOffsetDigits,
                  offset);
  return offset;
}

// Index lines are read by the hundred thousand when the database loads:
// this reads one from left to right, each character looked at once.
bool ParseIndexLine(std::string_view line, WordNetPos pos, IndexEntry& entry) {
  const char* at = line.data();
  const char* const end = at + line.size();
  const char* lemma_end = at;
  while (lemma_end != end && *lemma_end != ' ') ++lemma_end;
  entry.lemma = std::string_view(at, static_cast<size_t>(lemma_end - at));
  at = lemma_end;
  uint32_t synsets = 0, pointer_kinds = 0, senses = 0, tagged = 0;
  if (entry.lemma.empty() || end - at < 3 || at[1] != "nvar"[static_cast<int>(pos)] ||
      at[2] != ' ') {
    return false;
  }
  at += 3;
  if (!SmallNumber(at, end, synsets) || synsets == 0 || synsets > kMostSenses ||
      !SmallNumber(at, end, pointer_kinds)) {
    return false;
  }
  for (uint32_t i = 0; i < pointer_kinds; ++i) {
    const char* symbol = at;
    while (at != end && *at != ' ' && at - symbol < 3) ++at;
    if (at == symbol || at == end || *at != ' ') return false;
    ++at;
  }
  if (!SmallNumber(at, end, senses) || senses != synsets || !SmallNumber(at, end, tagged) ||
      tagged > senses) {
    return false;
  }
  const char* offsets = at;
  entry.largest_offset = 0;
  for (uint32_t i = 0; i < synsets; ++i) {
    uint32_t offset = 0;
    if (end - at < static_cast<ptrdiff_t>(kOffsetDigits) ||
        !Fields::Decimal(std::string_view(at, kOffsetDigits), kOffsetDigits, offset)) {
      return false;
    }
    at += kOffsetDigits;
    if (at != end && *at++ != ' ') return false;
    entry.largest_offset = std::max(entry.largest_offset, offset);
  }
  while (at != end && *at == ' ') ++at;
  if (at != end) return false;
  entry.sense_count = synsets;
  entry.offsets = std::string_view(offsets, synsets * (kOffsetDigits + 1) - 1);
  return true;
}

bool ParseDataRecord(std::string_view line, DataRecord& record) {
  record.words.clear();
  record.pointers.clear();
  Fields fields(line);
  std::string_view offset, lex_file, type;
  uint32_t lex_number = 0, pointers = 0;
  if (!fields.Next(offset) || !IsOffset(offset, record.offset) || !fields.Next(lex_file) ||
      lex_file.size() != 2 || !Fields::Decimal(lex_file, 2, lex_number) || !fields.Next(type) ||
      type.size() != 1 || std::string_view("nvasr").find(type[0]) == std::string_view::npos) {
    return false;
  }
  record.synset_type = type[0];
  if (!ParseWords(fields, record.synset_type, record) || !fields.NextDecimal(pointers, 3)) {
    return false;
  }
  for (uint32_t i = 0; i < pointers; ++i) {
    if (!ParsePointer(fields, record)) return false;
  }
  // Verb frames, then the gloss after a bar.
  return fields.Rest().find('|') != std::string_view::npos;
}

bool ParseExceptionLine(std::string_view line, ExceptionEntry& entry) {
  Fields fields(line);
  std::string_view base;
  if (!fields.Next(entry.inflected)) return false;
  entry.bases = fields.Rest();
  while (!entry.bases.empty() && entry.bases.back() == ' ') entry.bases.remove_suffix(1);
  Fields bases(entry.bases);
  if (!bases.Next(base)) return false;
  while (bases.Next(base)) {
  }
  return bases.Rest().empty();
}
