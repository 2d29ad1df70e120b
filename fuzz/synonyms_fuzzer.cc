// Arbitrary bytes as the user's synonyms file. Every problem names a line
// of the file, and a file refused as a whole has that one problem alone;
// every group has two entries or more, each non-empty, trimmed and free of
// control characters; the groups of a usable file read back the same when
// written again as CSV with every entry quoted; and the lexicon relates
// each entry to the others of its group. Any failure aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lexicon/lexicon.h"
#include "lexicon/phrase_key.h"
#include "lexicon/user_synonyms.h"
#include "text/folded_text.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "synonyms_fuzzer: %s\n", what);
  std::abort();
}

bool Trimmed(const std::string& entry) {
  return !entry.empty() && entry.front() != ' ' && entry.front() != '\t' && entry.back() != ' ' &&
         entry.back() != '\t';
}

bool HasControl(const std::string& entry) {
  return std::any_of(entry.begin(), entry.end(), [](char c) {
    return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == '\x7F';
  });
}

std::string AsCsv(const std::vector<SynonymGroup>& groups) {
  std::string text;
  for (const SynonymGroup& group : groups) {
    for (size_t i = 0; i < group.entries.size(); ++i) {
      if (i > 0) text += ',';
      text += '"';
      for (char c : group.entries[i]) text += c == '"' ? std::string("\"\"") : std::string(1, c);
      text += '"';
    }
    text += '\n';
  }
  return text;
}

void CheckGroups(const UserSynonyms& synonyms, size_t lines) {
  size_t previous = 0;
  for (const SynonymGroup& group : synonyms.groups) {
    Require(group.line > previous && group.line <= lines,
            "a group outside the file or out of order");
    previous = group.line;
    Require(group.entries.size() >= 2, "a group of one entry");
    size_t group_bytes = 0;
    for (const std::string& entry : group.entries) {
      Require(Trimmed(entry), "an entry empty or not trimmed");
      Require(!HasControl(entry), "an entry with a control character");
      group_bytes += entry.size();
    }
    Require(group_bytes <= kMostSynonymGroupBytes, "a group larger than its bound");
  }
}

void CheckProblems(const UserSynonyms& synonyms, size_t lines) {
  size_t previous = 0;
  for (const SynonymProblem& problem : synonyms.problems) {
    Require(!problem.reason.empty() && problem.file == "f", "a problem without its reason or file");
    Require(problem.line <= lines, "a problem past the last line");
    Require(problem.line > 0 || synonyms.problems.size() == 1, "a whole-file problem among others");
    Require(problem.line == 0 || problem.line > previous, "problems out of order");
    previous = problem.line;
    for (const SynonymGroup& group : synonyms.groups) {
      Require(group.line != problem.line, "a group from a refused line");
    }
  }
}

// Each entry finds the other entries of its group, folded.
void CheckLexicon(const std::vector<SynonymGroup>& groups) {
  Lexicon lexicon;
  lexicon.AddUserGroups(groups);
  for (size_t g = 0; g < groups.size() && g < 8; ++g) {
    const std::string first = PhraseKey(FoldText(groups[g].entries[0]));
    if (first.empty()) continue;
    std::vector<LexiconRelation> related = lexicon.Related(first);
    for (const std::string& entry : groups[g].entries) {
      const std::string key = PhraseKey(FoldText(entry));
      if (key.empty() || key == first) continue;
      Require(std::any_of(related.begin(), related.end(),
                          [&](const LexiconRelation& relation) { return relation.phrase == key; }),
              "an entry not related to its group");
      Require(lexicon.IsEntry(key), "an entry that is no entry");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t lines = static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1;
  UserSynonyms synonyms = ParseUserSynonyms(bytes, "f");
  CheckGroups(synonyms, lines);
  CheckProblems(synonyms, lines);
  if (!synonyms.problems.empty()) return 0;
  UserSynonyms again = ParseUserSynonyms(AsCsv(synonyms.groups), "f");
  Require(again.problems.empty() && again.groups.size() == synonyms.groups.size(),
          "the groups written as CSV read back otherwise");
  for (size_t i = 0; i < again.groups.size(); ++i) {
    Require(again.groups[i].entries == synonyms.groups[i].entries,
            "an entry written as CSV reads back otherwise");
  }
  CheckLexicon(synonyms.groups);
  return 0;
}
