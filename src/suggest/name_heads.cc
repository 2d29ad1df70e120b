#include "suggest/name_heads.h"

#include <algorithm>
#include <iterator>

namespace {

// Words in capitals this short are abbreviations, whose final S is theirs.
constexpr size_t kLongestAbbreviation = 4;

// Words that join a head to what qualifies it: "Call for Papers".
bool Linking(std::string_view word) {
  static constexpr std::string_view kLinking[] = {"of", "for",  "in", "on",   "at",
                                                  "by", "with", "to", "from", "per"};
  return std::find(std::begin(kLinking), std::end(kLinking), word) != std::end(kLinking);
}

bool AllDigits(std::string_view word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Words that say a name is a kind of thing, not which: "Damper Type" is
// about dampers.
bool Classifying(std::string_view word) {
  static constexpr std::string_view kClassifying[] = {
      "type", "types", "kind", "class", "category", "item", "object", "entity", "general"};
  return std::find(std::begin(kClassifying), std::end(kClassifying), word) !=
         std::end(kClassifying);
}

// A number, a lone letter ("B" in "Pump 12B"), letters in capitals before
// a number ("TT" in "TT-101"), or a word that only classifies: never what
// a name is about when another word can be.
bool InTag(const std::vector<NameWord>& words, size_t i) {
  const NameWord& word = words[i];
  if (AllDigits(word.folded) || word.folded.size() < 2 || Classifying(word.folded)) return true;
  return word.capitals && i + 1 < words.size() && AllDigits(words[i + 1].folded);
}

// How many words the name holds before its first qualifiers, or all of
// them: a comma, colon, semicolon, bracket or a dash between blanks sets
// qualifiers off ("Pump, Centrifugal", "Valve (Gate)", "Valve - Gate").
// Marks before any word ("(Old) Pump, Centrifugal") set nothing off.
size_t WordsBeforeQualifiers(std::string_view name, size_t all) {
  size_t from = 0;
  while (from < name.size()) {
    const size_t mark = std::min(name.find_first_of(",;:([{", from), name.find(" - ", from));
    if (mark == std::string_view::npos) break;
    const size_t before = NameWordsWithCase(name.substr(0, mark)).size();
    if (before > 0) return std::min(before, all);
    from = mark + 1;
  }
  return all;
}

}  // namespace

size_t HeadPlace(std::string_view name, const std::vector<NameWord>& words) {
  size_t end = WordsBeforeQualifiers(name, words.size());
  for (size_t i = 1; i < end; ++i) {
    if (Linking(words[i].folded)) {
      end = i;
      break;
    }
  }
  for (size_t i = end; i-- > 0;) {
    if (!InTag(words, i)) return i;
  }
  // A name of a classifying word alone ("Type") is about that.
  if (end > 0 && Classifying(words[end - 1].folded)) return end - 1;
  return kNoHead;
}

bool LinkingWord(std::string_view word) { return Linking(word); }

std::string Singular(const NameWord& word) {
  const std::string& w = word.folded;
  // Two letters at least stay before an ending, three before an S.
  auto ends = [&](std::string_view end) {
    return w.size() >= end.size() + (end == "s" ? 3 : 2) &&
           w.compare(w.size() - end.size(), end.size(), end) == 0;
  };
  if (word.capitals && w.size() <= kLongestAbbreviation) return w;
  if (ends("ies")) return w.substr(0, w.size() - 3) + "y";
  for (std::string_view end : {"sses", "xes", "ches", "shes"}) {
    if (ends(end)) return w.substr(0, w.size() - 2);
  }
  if (ends("s") && !ends("ss") && !ends("us") && !ends("is")) return w.substr(0, w.size() - 1);
  return w;
}
