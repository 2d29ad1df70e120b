// Links from what the lexicon knows of words: the user's own synonyms and
// abbreviations ("sieve = strainer", "temp = temperature"), and from
// WordNet pertainyms ("renal" ~ "kidney"), synonyms of a phrase of several
// words ("eustachian tube" ~ "auditory tube") and synonyms of a word's first
// sense. Every word of the source's labels is looked up, and every run of
// two or three of its words that the lexicon holds as an entry; a relation
// counts only where the target's names hold all its words.
#ifndef ZOR_SUGGEST_LEXICON_LINKS_H_
#define ZOR_SUGGEST_LEXICON_LINKS_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "lexicon/lexicon.h"
#include "suggest/lexicon_evidence.h"
#include "suggest/match_weights.h"
#include "suggest/name_profiles.h"
#include "suggest/word_links.h"

// `source_labels` and `target_labels`: every label of each side, repeats allowed.
// Every relation is added to each of `links`; `signals` says which of the
// two kinds (kSignalLexicon, kSignalSynonyms) are in use.
// Each relation linked is noted in `evidence`, for the report.
void LinkLexicon(const Lexicon& lexicon, const std::vector<std::string_view>& source_labels,
                 const std::vector<std::string_view>& target_labels, WordVocabulary& vocabulary,
                 const std::vector<WordLinks*>& links, uint32_t signals, LexiconEvidence& evidence,
                 const LexiconStrengths& strengths);

#endif  // ZOR_SUGGEST_LEXICON_LINKS_H_
