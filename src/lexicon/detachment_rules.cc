#include "lexicon/detachment_rules.h"

#include <span>

namespace {

struct Detachment {
  std::string_view suffix;
  std::string_view ending;
};

constexpr Detachment kNounRules[] = {{"s", ""},      {"ses", "s"},   {"xes", "x"},   {"zes", "z"},
                                     {"ches", "ch"}, {"shes", "sh"}, {"men", "man"}, {"ies", "y"}};
constexpr Detachment kVerbRules[] = {{"s", ""},   {"ies", "y"}, {"es", "e"},  {"es", ""},
                                     {"ed", "e"}, {"ed", ""},   {"ing", "e"}, {"ing", ""}};
constexpr Detachment kAdjectiveRules[] = {{"er", ""}, {"est", ""}, {"er", "e"}, {"est", "e"}};

// Below this length a word is taken as it is.
constexpr size_t kShortestInflected = 3;

std::span<const Detachment> Rules(WordNetPos pos) {
  switch (pos) {
    case WordNetPos::kNoun:
      return kNounRules;
    case WordNetPos::kVerb:
      return kVerbRules;
    case WordNetPos::kAdjective:
      return kAdjectiveRules;
    case WordNetPos::kAdverb:
      break;
  }
  return {};
}

}  // namespace

size_t DetachmentRuleCount(WordNetPos pos) { return Rules(pos).size(); }

bool MayBeInflected(std::string_view word) {
  // Every suffix ends in one of these letters.
  if (word.size() < kShortestInflected) return false;
  const char last = word.back();
  return last == 's' || last == 'n' || last == 'd' || last == 'g' || last == 'r' || last == 't';
}

bool DetachedForm(std::string_view word, WordNetPos pos, size_t rule, std::string& form) {
  const std::span<const Detachment> rules = Rules(pos);
  if (rule >= rules.size() || !MayBeInflected(word)) return false;
  if (pos == WordNetPos::kNoun && word.ends_with("ss")) return false;
  const Detachment& detachment = rules[rule];
  if (word.size() <= detachment.suffix.size() || !word.ends_with(detachment.suffix)) return false;
  form.assign(word.substr(0, word.size() - detachment.suffix.size()));
  form += detachment.ending;
  return true;
}
