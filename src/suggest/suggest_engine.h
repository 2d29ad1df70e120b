// The matcher's entry point: from two dictionaries, the table's known pairs
// and the items that need a target, the ranked candidates of every item.
#ifndef ZOR_SUGGEST_SUGGEST_ENGINE_H_
#define ZOR_SUGGEST_SUGGEST_ENGINE_H_

#include "suggest/suggest_model.h"

// Anchors and items whose indexes fall outside the dictionaries are ignored.
SuggestOutput Suggest(const SuggestInput& input, const SuggestOptions& options);

#endif  // ZOR_SUGGEST_SUGGEST_ENGINE_H_
