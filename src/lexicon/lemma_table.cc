#include "lexicon/lemma_table.h"

void LemmaTable::Reset(size_t entries) {
  size_t size = 16;
  while (size < entries + entries / 2 + 1) size *= 2;
  slots_.assign(size, Slot{});
  mask_ = size - 1;
  room_ = entries;
}

bool LemmaTable::Add(uint64_t hash, uint32_t place) {
  if (room_ == 0) return false;
  for (size_t at = hash & mask_;; at = (at + 1) & mask_) {
    if (slots_[at].place != kEmpty) continue;
    slots_[at] = {Fragment(hash), place};
    --room_;
    return true;
  }
}
