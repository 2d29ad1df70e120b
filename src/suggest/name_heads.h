// What a name is about, read as English writes names: its head word, and
// each word's singular, so that "Papers" and "Paper" are one form.
#ifndef ZOR_SUGGEST_NAME_HEADS_H_
#define ZOR_SUGGEST_NAME_HEADS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/name_words.h"

// The place in `words` (the name's words, as NameWordsWithCase gives
// them) of the word the name is about: the last word ("Session Chair"),
// before a linking word ("Chair of Session") or before the qualifiers that
// a comma, colon, semicolon, bracket or a dash between blanks sets off
// ("Chair, Session"); numbers and tags after it qualify it ("Pump 2",
// "Transmitter TT-101"). kNoHead when the name is a code ("FMA:7163",
// "C0012", "EQ-001"): no word of it says what the class is.
inline constexpr size_t kNoHead = static_cast<size_t>(-1);
size_t HeadPlace(std::string_view name, const std::vector<NameWord>& words);

// Whether a folded word only joins a head to what qualifies it ("of", "for"):
// a name may hold it or not and say the same.
bool LinkingWord(std::string_view word);

// A folded word without its plural ending: "papers" is "paper", "fees"
// "fee", "boxes" "box", "categories" "category". Endings that also end
// singular words ("status", "analysis", "class") stay, and so do
// abbreviations ("LIMS").
std::string Singular(const NameWord& word);

#endif  // ZOR_SUGGEST_NAME_HEADS_H_
