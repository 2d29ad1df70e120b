// How far two classes carry the same attributes: the share of the source
// class's attributes (its own and inherited) whose folded name the target
// class carries too (its own or inherited).
#ifndef ZOR_SUGGEST_ATTRIBUTE_OVERLAP_H_
#define ZOR_SUGGEST_ATTRIBUTE_OVERLAP_H_

#include <cstdint>
#include <vector>

#include "suggest/match_context.h"

class AttributeOverlap {
 public:
  explicit AttributeOverlap(const MatchContext& context);
  double Share(size_t source, size_t target) const;

 private:
  std::vector<std::vector<uint32_t>> source_sets_;
  std::vector<std::vector<uint32_t>> target_sets_;
};

#endif  // ZOR_SUGGEST_ATTRIBUTE_OVERLAP_H_
