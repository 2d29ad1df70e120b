// Recent answers to "how alike are these two attributes' names". Attribute
// names repeat across the classes of a dictionary ("Description",
// "Manufacturer"), and the ancestors of one item's home are the homes of its
// siblings' items too, so the same two names are compared again and again.
// Names are known by their numbers; the table is direct-mapped and of fixed
// size: a newer answer takes an older one's slot.
#ifndef ZOR_SUGGEST_LIKENESS_MEMO_H_
#define ZOR_SUGGEST_LIKENESS_MEMO_H_

#include <cstdint>
#include <vector>

#include "suggest/name_profiles.h"
#include "suggest/name_similarity.h"

class LikenessMemo {
 public:
  LikenessMemo() : slots_(kSlots) {}

  // The answer for names `s` and `t`, computed by `compute` unless known.
  template <typename Compute>
  Likeness Get(const ClassNames& s, const ClassNames& t, Compute compute) {
    if (s.number == ClassNames::kUnnumbered || t.number == ClassNames::kUnnumbered)
      return compute();
    Slot& slot = slots_[Place(s.number, t.number)];
    if (slot.source != s.number || slot.target != t.number) {
      const Likeness likeness = compute();
      slot = Slot{s.number, t.number, likeness.signals, likeness.score};
    }
    return Likeness{slot.score, slot.signals};
  }

 private:
  static constexpr int kBits = 17;
  static constexpr size_t kSlots = size_t{1} << kBits;

  struct Slot {  // 24 bytes
    uint32_t source = ClassNames::kUnnumbered;
    uint32_t target = ClassNames::kUnnumbered;
    uint32_t signals = 0;
    double score = 0;
  };

  static size_t Place(uint32_t source, uint32_t target) {
    const uint64_t pair = (uint64_t{source} << 32) | target;
    return static_cast<size_t>((pair * 0x9E3779B97F4A7C15ull) >> (64 - kBits));
  }

  std::vector<Slot> slots_;
};

#endif  // ZOR_SUGGEST_LIKENESS_MEMO_H_
