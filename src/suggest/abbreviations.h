// Abbreviations written in capitals and the words they abbreviate: "PC"
// in "PC_Chair" stands for "Program Committee" in "Program_Committee_Chair",
// "TPC" in "TPCMember" for "Technical Program Committee". A word in
// capitals on one side is linked, as a phrase, to every run of words on the
// other side whose initials it spells.
#ifndef ZOR_SUGGEST_ABBREVIATIONS_H_
#define ZOR_SUGGEST_ABBREVIATIONS_H_

#include <string_view>
#include <vector>

#include "suggest/name_profiles.h"
#include "suggest/word_links.h"

// `source` and `target`: every name of each side (class and attribute
// labels and keys), repeats allowed; every link goes into each of `links`.
void LinkAbbreviations(const std::vector<std::string_view>& source,
                       const std::vector<std::string_view>& target, WordVocabulary& vocabulary,
                       double strength, const std::vector<WordLinks*>& links);

#endif  // ZOR_SUGGEST_ABBREVIATIONS_H_
