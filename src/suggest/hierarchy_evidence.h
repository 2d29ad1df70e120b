// What the hierarchy says about a pair: a class whose source parent maps to
// target class P most likely maps to a child of P or a deeper descendant;
// a class whose source children map under T most likely maps to T. Either
// side's mapping is an anchor from the table or a confident match.
#ifndef ZOR_SUGGEST_HIERARCHY_EVIDENCE_H_
#define ZOR_SUGGEST_HIERARCHY_EVIDENCE_H_

#include <cstdint>
#include <vector>

#include "suggest/match_context.h"

// Where a source class maps, as far as is known, and how surely.
struct ClassImage {
  int target = -1;
  double confidence = 0;
  bool settled = false;  // a row of the table, or an accepted suggestion
};

// In [-1, 1]: positive when the parent's or the children's images agree
// with the pair, negative when the parent's image is sure and elsewhere.
double HierarchySupport(const MatchContext& context, const std::vector<ClassImage>& images,
                        size_t source, size_t target);

// The target classes beneath the image of the source class's parent, a
// bounded number, nearest first: candidates no word would bring.
std::vector<uint32_t> HierarchyCandidates(const MatchContext& context,
                                          const std::vector<ClassImage>& images, size_t source);

#endif  // ZOR_SUGGEST_HIERARCHY_EVIDENCE_H_
