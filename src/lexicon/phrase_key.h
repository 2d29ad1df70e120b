// The one form in which the lexicon compares phrases: ASCII letters in lower
// case, the words one blank apart. WordNet joins the words of a collocation
// with '_' ("eustachian_tube") and spells some with '-' ("x-ray"); names
// give words apart, and users write either. Bytes outside ASCII are kept as
// they are: the user's entries are folded before they come here.
#ifndef ZOR_LEXICON_PHRASE_KEY_H_
#define ZOR_LEXICON_PHRASE_KEY_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// True when the text is a key already: PhraseKey would give it back.
bool IsPhraseKey(std::string_view text);

// Runs of blanks, tabs, '_' and '-' become one blank, none at either end.
std::string PhraseKey(std::string_view text);
// The same, appended to `key` (a buffer reused between calls).
void AppendPhraseKey(std::string_view text, std::string& key);

// A hash of PhraseKey(text), made without the key: WordNet's 155,000
// lemmas are hashed as they are read.
uint64_t PhraseKeyHash(std::string_view text);

// True when PhraseKey(text) == key, without making the key.
bool MatchesKey(std::string_view text, std::string_view key);

// The number of words of PhraseKey(text), without making the key.
size_t KeyWordCount(std::string_view text);

#endif  // ZOR_LEXICON_PHRASE_KEY_H_
