// How alike two names are: the weighted share of their words that meet,
// exactly or through a link (a spelling variant, a learned substitution),
// after the Dice coefficient: 2 x shared weight / both names' weight.
#ifndef ZOR_SUGGEST_NAME_SIMILARITY_H_
#define ZOR_SUGGEST_NAME_SIMILARITY_H_

#include <cstdint>
#include <vector>

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
// Which of two names' words meet a word of the other, as they are, through
// their stems or through a link. A name whose every word meets one of the
// other's is covered: "Chair" by "Session Chair", which is narrower. A word
// the table's rows show is dropped in the migration needs no partner, nor
// does a word `needless` marks (by its number, as a stem or a form: "for").
struct WordCoverage {
  bool source = false;  // every word of the source meets one of the target
  bool target = false;  // and every word of the target one of the source
};
// With `stems_kept` false, words that share only a stem do not meet.
WordCoverage WordsCover(const NameProfile& source, const NameProfile& target,
                        const WordLinks& links, const std::vector<bool>& needless,
                        bool stems_kept = true);
// False when the head words share only their stem ("Presenter" and
// "Presentation"): they meet, but are not one thing.
bool SameHeadForm(const NameProfile& source, const NameProfile& target);
// Whether both names have heads and they do not meet.
bool HeadsApart(const NameProfile& source, const NameProfile& target, const WordLinks& links);

#endif  // ZOR_SUGGEST_NAME_SIMILARITY_H_
