// A hash table from phrase keys (by PhraseKeyHash) to the lines of WordNet's files that hold
// them, built once when the database loads. It keeps no key of its own,
// only a 32-bit place and a fragment of the key's hash per slot, so the
// table costs 8 bytes a slot; the caller compares the line's key whenever a
// fragment matches. A key found in several files (a noun and a verb, an
// index and an exception list) has a place for each.
#ifndef ZOR_LEXICON_LEMMA_TABLE_H_
#define ZOR_LEXICON_LEMMA_TABLE_H_

#include <cstddef>
#include <cstdint>
#include <vector>

class LemmaTable {
 public:
  // Empties the table and makes room for `entries` places, so that at
  // most two thirds of the slots are ever used.
  void Reset(size_t entries);
  // False when the table already holds the places it was made for.
  bool Add(uint64_t hash, uint32_t place);

  // Calls visit(place) for every place added under a hash that shares this
  // one's fragment and slot, in the order they were added.
  template <typename Visit>
  void ForEachCandidate(uint64_t hash, Visit&& visit) const {
    if (slots_.empty()) return;
    const uint32_t fragment = Fragment(hash);
    for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
      const Slot& slot = slots_[at];
      if (slot.place == kEmpty) return;
      if (slot.fragment == fragment) visit(slot.place);
    }
  }

 private:
  static constexpr uint32_t kEmpty = 0xFFFFFFFFu;
  struct Slot {
    uint32_t fragment = 0;
    uint32_t place = kEmpty;
  };
  static uint32_t Fragment(uint64_t hash) { return static_cast<uint32_t>(hash >> 32); }

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t room_ = 0;
};

#endif  // ZOR_LEXICON_LEMMA_TABLE_H_
