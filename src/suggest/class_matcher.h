// Ranks target classes for every class item: candidates from the indexes,
// scored on their names, then on what the hierarchy and the attribute sets
// say, in a few passes so that confident matches inform their neighbours;
// then the global assignment and the acceptance of clear first candidates.
#ifndef ZOR_SUGGEST_CLASS_MATCHER_H_
#define ZOR_SUGGEST_CLASS_MATCHER_H_

#include <vector>

#include "suggest/hierarchy_evidence.h"
#include "suggest/match_context.h"

struct ClassMatch {
  std::vector<ClassSuggestion> suggestions;  // one per class item, in their order
  std::vector<ClassImage> images;            // per source class: anchored or matched target
  std::vector<BuryingRow> burying_rows;
};

ClassMatch MatchClasses(const MatchContext& context);

// Whether a ranked list's first candidate is clear enough to accept.
bool ClearlyFirst(const std::vector<double>& scores, double min_score, double margin);

#endif  // ZOR_SUGGEST_CLASS_MATCHER_H_
