// How alike two names are: the weighted share of their words that meet,
// exactly or through a link (a spelling variant, a learned substitution),
// after the Dice coefficient: 2 x shared weight / both names' weight.
#ifndef ZOR_SUGGEST_NAME_SIMILARITY_H_
#define ZOR_SUGGEST_NAME_SIMILARITY_H_

#include <cstdint>

#include "suggest/match_weights.h"
#include "suggest/name_profiles.h"
#include "suggest/word_links.h"
#include "suggest/word_weights.h"

struct Likeness {
  double score = 0;
  uint32_t signals = 0;  // kSignalSpelling / kSignalLearned when a link counted
};

Likeness NameLikeness(const NameProfile& source, const NameProfile& target,
                      const WordWeights& weights, const WordLinks& links,
                      const NameScoring& scoring);

// Whether two names are about the same thing: their head words are one
// word, or linked. "Research Topic" and "Topic" are; "Accepted Paper" and
// "Acceptance" share a stem and are not. Codes have no head: they never meet.
bool HeadsMeet(const NameProfile& source, const NameProfile& target, const WordLinks& links);
// Whether both names have heads and they do not meet.
bool HeadsApart(const NameProfile& source, const NameProfile& target, const WordLinks& links);

#endif  // ZOR_SUGGEST_NAME_SIMILARITY_H_
