// The user's own word groups and abbreviations (zorvez suggest --synonyms
// FILE), in the format doc/synonyms.md describes: UTF-8 text, one group a
// line, the entries separated by '=' ("temp = temperature = temperatures")
// or, as a spreadsheet saves them, by commas ("supply,leaving", with CSV
// quotes allowed), '#' at the start of a comment line. Every bad line is
// found and reported, so that the user can mend them all at once; a file
// with any problem is not to be used.
#ifndef ZOR_LEXICON_USER_SYNONYMS_H_
#define ZOR_LEXICON_USER_SYNONYMS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct SynonymGroup {
  size_t line = 0;                   // where the group is written, from 1
  std::vector<std::string> entries;  // as written, trimmed, CSV quotes taken off; two or more
};

struct SynonymProblem {
  std::string file;
  size_t line = 0;  // from 1; 0 for the file as a whole
  std::string reason;
};

struct UserSynonyms {
  std::vector<SynonymGroup> groups;
  std::vector<SynonymProblem> problems;  // in line order; none when the file can be used
  // What reads as a slip but is taken as written (a first line that reads
  // as a spreadsheet's header), in line order.
  std::vector<SynonymProblem> warnings;
};

// A synonyms file is a short list of the user's trade: a larger file or
// group is a mistake (the wrong file given), refused without reading on.
// A group's entries hold at most kMostSynonymGroupBytes together. The line
// itself may be longer, by what any writer of the same group adds: a
// spreadsheet that quotes every cell adds two quotes and a comma an entry
// and doubles each quote inside, so a group accepted in one form is
// accepted in every other (entries are never empty, hence the factor 5).
constexpr size_t kMostSynonymFileBytes = 4u << 20;
constexpr size_t kMostSynonymGroupBytes = 4096;
constexpr size_t kMostSynonymLineBytes = 5 * kMostSynonymGroupBytes;

// Reads the file at `path` (UTF-8), naming it as given in the problems.
UserSynonyms ReadUserSynonyms(const std::string& path);
// The same for bytes already read; `file` names them in the problems.
UserSynonyms ParseUserSynonyms(std::string_view bytes, const std::string& file);

// Whether the entries read as a spreadsheet's column headings ("Old word",
// "New word"): each holds a word that names a column of such a list.
bool ReadsAsHeader(const std::vector<std::string>& entries);

// "FILE:LINE: reason", or "FILE: reason" for the file as a whole.
std::string SynonymProblemText(const SynonymProblem& problem);

#endif  // ZOR_LEXICON_USER_SYNONYMS_H_
