// Which classes of the dictionary to migrate could claim a target class by
// their names: those with a name that holds every word of one of the
// target's names. A target that drops a word of an item ("Cervix" for
// "uterine cervix") is a safe guess when the item is its only claimant, and
// a poor one when many are ("Gland" for "skin gland", which every gland of
// the dictionary claims as much).
#ifndef ZOR_SUGGEST_TARGET_CLAIMS_H_
#define ZOR_SUGGEST_TARGET_CLAIMS_H_

#include <cstdint>
#include <vector>

#include "suggest/match_context.h"

class TargetClaims {
 public:
  explicit TargetClaims(const MatchContext& context);

  // A source class that a row maps, or whose first candidate keeps every
  // word of its name, has a place of its own: it claims no other target.
  void Settle(size_t source, size_t target);

  // Whether a source class other than `source` claims `target`.
  bool OthersClaim(size_t source, size_t target) const;

 private:
  static constexpr uint32_t kUnsettled = UINT32_MAX;

  bool Narrower(const ClassNames& other, const ClassNames& item) const;

  const MatchContext& context_;
  std::vector<std::vector<uint32_t>> holders_;  // per word, the source classes whose names hold it
  std::vector<uint32_t> settled_;               // per source class, its place, or kUnsettled
};

#endif  // ZOR_SUGGEST_TARGET_CLAIMS_H_
