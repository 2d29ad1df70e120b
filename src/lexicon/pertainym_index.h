// The adjectives that pertain to each noun ("renal" to "kidney"): WordNet
// writes the relation only on the adjective's side (a "\" pointer in
// data.adj), so the way back from the noun is gathered once, in one pass
// over data.adj, when the database loads. About 4,800 links of 12 bytes
// and the adjectives' words; data.adj itself is read in blocks and not
// kept.
#ifndef ZOR_LEXICON_PERTAINYM_INDEX_H_
#define ZOR_LEXICON_PERTAINYM_INDEX_H_

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/wordnet_records.h"
#include "platform/file_reader.h"

class PertainymIndex {
 public:
  // Reads every record of data.adj (checking each one) and keeps its
  // pertainym pointers. Returns an empty text, or the problem as
  // "PATH:LINE: reason".
  std::string Build(const OffsetFile& adjectives);

  // Calls visit(adjective, target_word) for every adjective that pertains to
  // a word of the synset at (pos, offset): the adjective as a phrase key,
  // and the word's number in the synset (0: the synset as a whole).
  template <typename Visit>
  void ForEachAdjective(WordNetPos pos, uint32_t offset, Visit&& visit) const {
    const Link key{offset, static_cast<uint8_t>(pos), 0, 0, 0};
    auto [first, last] = std::equal_range(links_.begin(), links_.end(), key, Before);
    for (auto link = first; link != last; ++link) {
      visit(std::string_view(texts_).substr(link->text_start, link->text_size), link->target_word);
    }
  }
  bool Holds(WordNetPos pos, uint32_t offset) const;
  size_t Size() const { return links_.size(); }

 private:
  struct Link {
    uint32_t target_offset;
    uint8_t target_pos;
    uint8_t target_word;
    uint16_t text_size;
    uint32_t text_start;
  };
  static bool Before(const Link& a, const Link& b) {
    return a.target_pos != b.target_pos ? a.target_pos < b.target_pos
                                        : a.target_offset < b.target_offset;
  }
  // False when a pointer names a word the synset lacks, or a word is too long.
  bool Keep(const DataRecord& record);

  std::vector<Link> links_;
  std::string texts_;
};

#endif  // ZOR_LEXICON_PERTAINYM_INDEX_H_
