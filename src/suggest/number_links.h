// Numbers written in other ways. A numbered series ("cervical vertebra 1"
// to "cervical vertebra 7") is often written on the other side with the
// series' initial glued to the number ("C1_Vertebra"): where several
// numbers of one series agree so, the initial stands for the word. And a
// number in Roman capitals ("cranial nerve V"), in words ("one") or as an
// ordinal ("first") is the number in digits.
#ifndef ZOR_SUGGEST_NUMBER_LINKS_H_
#define ZOR_SUGGEST_NUMBER_LINKS_H_

#include <string_view>
#include <vector>

#include "suggest/name_profiles.h"
#include "suggest/word_links.h"

// `source` and `target`: the labels of each side, repeats allowed; every
// link goes into each of `links`.
void LinkNumbers(const std::vector<std::string_view>& source,
                 const std::vector<std::string_view>& target, WordVocabulary& vocabulary,
                 double strength, const std::vector<WordLinks*>& links);

// The value of a number written in digits, in Roman capitals, in words or as
// an ordinal word ("12", "XII", "twelve", "twelfth"), or -1.
int NumberValue(std::string_view folded, bool capitals);

#endif  // ZOR_SUGGEST_NUMBER_LINKS_H_
