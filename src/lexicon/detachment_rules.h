// WordNet's rules of detachment: the endings an inflected word may have
// taken on ("valves" from "valve", "batteries" from "battery"), for each
// part of speech, in the order WordNet tries them. Adverbs have none. A
// form counts only when the database holds it: "plantes" gives "plante",
// which no index holds.
#ifndef ZOR_LEXICON_DETACHMENT_RULES_H_
#define ZOR_LEXICON_DETACHMENT_RULES_H_

#include <cstddef>
#include <string>
#include <string_view>

#include "lexicon/wordnet_records.h"

size_t DetachmentRuleCount(WordNetPos pos);

// False when no rule of any part of speech fits the word: most words
// ("tank", "10787") are settled by their last letter.
bool MayBeInflected(std::string_view word);

// The form `word` (one word, in lower case) would have had before rule
// `rule` of `pos` (from 0) into `form`; false when the rule does not fit
// its ending. Short words ("is", "as") and a noun ending in "ss" ("glass")
// are never taken for inflections.
bool DetachedForm(std::string_view word, WordNetPos pos, size_t rule, std::string& form);

#endif  // ZOR_LEXICON_DETACHMENT_RULES_H_
