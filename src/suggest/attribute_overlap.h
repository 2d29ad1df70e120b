// How far two classes carry the same attributes: the share of the source
// class's attributes (its own and inherited) whose folded name the target
// class carries too (its own or inherited).
#ifndef ZOR_SUGGEST_ATTRIBUTE_OVERLAP_H_
#define ZOR_SUGGEST_ATTRIBUTE_OVERLAP_H_

#include <cstdint>
#include <vector>

#include "suggest/match_context.h"

// Each class's set is gathered when first asked for: only the items and
// their leading candidates ever are.
class AttributeOverlap {
 public:
  explicit AttributeOverlap(const MatchContext& context);
  double Share(size_t source, size_t target);

 private:
  struct Side {
    const std::vector<AttributeNames>* attributes;
    const DictionaryTree* tree;
    std::vector<std::vector<uint32_t>> sets;
    std::vector<bool> gathered;
    const std::vector<uint32_t>& Set(size_t index);
  };
  Side source_;
  Side target_;
};

#endif  // ZOR_SUGGEST_ATTRIBUTE_OVERLAP_H_
