#include "lexicon/pertainym_index.h"

#include <cerrno>
#include <cstring>

#include "lexicon/phrase_key.h"
#include "platform/file_problem.h"

namespace {

// data.adj is read in blocks of this size; a longer line is damage (the
// longest in WordNet 3.0 is under 13 KiB).
constexpr size_t kBlock = 256 * 1024;
constexpr std::string_view kPertainym = "\\";
constexpr size_t kLongestWord = 255;

std::string LineProblem(const OffsetFile& file, size_t line, std::string_view reason) {
  return file.Path() + ":" + std::to_string(line) + ": " + std::string(reason);
}

std::string NotARecord(const OffsetFile& file, size_t line) {
  return LineProblem(file, line, "not a record of WordNet's data file");
}

// True when the line begins with its own offset: eight digits and a blank.
bool StartsWithOffset(std::string_view line, uint64_t offset) {
  if (line.size() < 9 || line[8] != ' ') return false;
  uint64_t written = 0;
  for (char c : line.substr(0, 8)) {
    if (c < '0' || c > '9') return false;
    written = written * 10 + static_cast<uint64_t>(c - '0');
  }
  return written == offset;
}

}  // namespace

bool PertainymIndex::Holds(WordNetPos pos, uint32_t offset) const {
  const Link key{offset, static_cast<uint8_t>(pos), 0, 0, 0};
  return std::binary_search(links_.begin(), links_.end(), key, Before);
}

std::string PertainymIndex::Build(const OffsetFile& adjectives) {
  links_.clear();
  texts_.clear();
  std::string block(kBlock, '\0');
  size_t held = 0, line_number = 0;
  uint64_t block_offset = 0;
  DataRecord record;
  for (;;) {
    long long got =
        adjectives.ReadAt(block_offset + held, block.data() + held, block.size() - held);
    if (got < 0) return FileProblem(adjectives.Path(), errno);
    held += static_cast<size_t>(got);
    size_t start = 0;
    for (const char* end; (end = static_cast<const char*>(std::memchr(block.data() + start, '\n',
                                                                      held - start))) != nullptr;) {
      std::string_view line(block.data() + start, static_cast<size_t>(end - block.data()) - start);
      ++line_number;
      const uint64_t offset = block_offset + start;
      if (IsLicenceLine(line)) {
      } else if (line.find(kPertainym) == std::string_view::npos) {
        // Only the start of a record without pertainyms: it must be where
        // the index says records are.
        if (!StartsWithOffset(line, offset)) return NotARecord(adjectives, line_number);
      } else if (!ParseDataRecord(line, record) || record.offset != offset) {
        return NotARecord(adjectives, line_number);
      } else if (!Keep(record)) {
        return LineProblem(adjectives, line_number, "a pointer to no word");
      }
      start += line.size() + 1;
    }
    std::memmove(block.data(), block.data() + start, held - start);
    held -= start;
    block_offset += start;
    if (got == 0 && held > 0) return LineProblem(adjectives, line_number + 1, "cut short");
    if (got == 0) break;
    if (held == block.size()) return LineProblem(adjectives, line_number + 1, "a line too long");
  }
  std::stable_sort(links_.begin(), links_.end(), Before);
  links_.shrink_to_fit();
  texts_.shrink_to_fit();
  return "";
}

bool PertainymIndex::Keep(const DataRecord& record) {
  for (const DataPointer& pointer : record.pointers) {
    if (pointer.symbol != kPertainym) continue;
    if (pointer.source_word > record.words.size()) return false;
    for (size_t word = 0; word < record.words.size(); ++word) {
      if (pointer.source_word != 0 && pointer.source_word != word + 1) continue;
      if (record.words[word].size() > kLongestWord) return false;
      const size_t start = texts_.size();
      AppendPhraseKey(record.words[word], texts_);
      links_.push_back({pointer.offset, static_cast<uint8_t>(pointer.pos), pointer.target_word,
                        static_cast<uint16_t>(texts_.size() - start),
                        static_cast<uint32_t>(start)});
    }
  }
  return true;
}
