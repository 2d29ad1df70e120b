// Ranks target attributes for every attribute item. The first place to look
// is the target class that the item's class maps to (by a row, an accepted
// suggestion, or failing those its best candidate) and that class's
// ancestors, since an attribute found in a parent counts; other classes'
// attributes come from a word index and count for less.
#ifndef ZOR_SUGGEST_ATTRIBUTE_MATCHER_H_
#define ZOR_SUGGEST_ATTRIBUTE_MATCHER_H_

#include <vector>

#include "suggest/hierarchy_evidence.h"
#include "suggest/match_context.h"

// `homes`: per source class, the target classes its attributes look in
// first, the likeliest first.
std::vector<AttributeSuggestion> MatchAttributes(const MatchContext& context,
                                                 const std::vector<std::vector<ClassImage>>& homes);

#endif  // ZOR_SUGGEST_ATTRIBUTE_MATCHER_H_
