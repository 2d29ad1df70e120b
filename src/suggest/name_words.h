// Names cut into the words people read in them: blanks, underscores,
// hyphens, dots and other punctuation separate words, and so do a change
// from lower to upper case ("flowRate"), the end of a run of capitals
// ("PDFFile" is "PDF File") and a change between letters and digits. Each
// word is folded (case, compatibility forms, accents) so that spellings of
// one word meet.
#ifndef ZOR_SUGGEST_NAME_WORDS_H_
#define ZOR_SUGGEST_NAME_WORDS_H_

#include <string>
#include <string_view>
#include <vector>

std::vector<std::string> NameWords(std::string_view name);

// The same words, each with whether the name writes it in capitals only
// (an abbreviation, most often: "PC" in "PC_Member", "TPC" in "TPCMember").
struct NameWord {
  std::string folded;
  bool capitals = false;
};
std::vector<NameWord> NameWordsWithCase(std::string_view name);

// The folded words run together: what spelling variants are compared on.
std::string CompactName(const std::vector<std::string>& words);

#endif  // ZOR_SUGGEST_NAME_WORDS_H_
