// The table as the user's own dictionary of renames: the words that the
// rows it already holds map to each other. If rows map names holding
// "Temp" to names holding "Temperature", a new name holding "Temp" likely
// maps to one holding "Temperature" too; words the rows drop from source
// names weigh less.
#ifndef ZOR_SUGGEST_LEARNED_SUBSTITUTIONS_H_
#define ZOR_SUGGEST_LEARNED_SUBSTITUTIONS_H_

#include <utility>
#include <vector>

#include "suggest/match_weights.h"
#include "suggest/name_profiles.h"
#include "suggest/word_links.h"

// One known pair of names: the source's, the target's.
using NamePair = std::pair<const NameProfile*, const NameProfile*>;

void LearnSubstitutions(const std::vector<NamePair>& known, const LearningRules& rules,
                        WordLinks& links);

#endif  // ZOR_SUGGEST_LEARNED_SUBSTITUTIONS_H_
