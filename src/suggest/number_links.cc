#include "suggest/number_links.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "suggest/name_words.h"
#include "suggest/suggest_model.h"

namespace {

// Numbers beyond these are seldom written other than in digits.
constexpr int kLargestWritten = 20;
// A series shows itself in this many numbers written the same other way.
constexpr size_t kLeastSeries = 2;
// A number that more names hold than this tells no series apart ("1" in
// every first of a kind): its names are not read for one.
constexpr size_t kMostNamesOfANumber = 200;

constexpr std::array<std::string_view, kLargestWritten + 1> kWords = {
    "zero",     "one",     "two",     "three",     "four",     "five",     "six",
    "seven",    "eight",   "nine",    "ten",       "eleven",   "twelve",   "thirteen",
    "fourteen", "fifteen", "sixteen", "seventeen", "eighteen", "nineteen", "twenty"};
constexpr std::array<std::string_view, kLargestWritten + 1> kOrdinals = {
    "",           "first",     "second",    "third",       "fourth",     "fifth",      "sixth",
    "seventh",    "eighth",    "ninth",     "tenth",       "eleventh",   "twelfth",    "thirteenth",
    "fourteenth", "fifteenth", "sixteenth", "seventeenth", "eighteenth", "nineteenth", "twentieth"};

int RomanValue(std::string_view word) {
  static const std::array<std::string_view, kLargestWritten + 1> kRoman = {
      "",   "i",   "ii",   "iii", "iv", "v",   "vi",   "vii",   "viii", "ix", "x",
      "xi", "xii", "xiii", "xiv", "xv", "xvi", "xvii", "xviii", "xix",  "xx"};
  const auto found = std::find(kRoman.begin() + 1, kRoman.end(), word);
  return found == kRoman.end() ? -1 : static_cast<int>(found - kRoman.begin());
}

bool Digits(std::string_view word) {
  return !word.empty() && word.size() <= 6 &&
         std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A letter glued to the number after it in the name as written: "C1" in
// "C1_Vertebra", "T10" in "T10 Vertebra", but not "Type 1" or "Vertebra C 1".
std::vector<std::pair<char, std::string>> GluedInitials(std::string_view name) {
  std::vector<std::pair<char, std::string>> glued;
  auto letter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
  auto digit = [](char c) { return c >= '0' && c <= '9'; };
  for (size_t i = 0; i + 1 < name.size(); ++i) {
    if (!letter(name[i]) || (i > 0 && letter(name[i - 1])) || !digit(name[i + 1])) continue;
    size_t end = i + 1;
    while (end < name.size() && digit(name[end])) ++end;
    if (end < name.size() && letter(name[end]) && !(name[end] >= 'A' && name[end] <= 'Z'))
      continue;  // "a1b": a code, not a number
    std::string number(name.substr(i + 1, end - i - 1));
    number.erase(0, std::min(number.find_first_not_of('0'), number.size() - 1));
    glued.emplace_back(static_cast<char>(name[i] | 0x20), std::move(number));
  }
  return glued;
}

// Per number in digits, the words of the names of one side that hold it.
using NumberedNames = std::unordered_map<std::string, std::vector<std::vector<std::string>>>;

NumberedNames NamesByNumber(const std::vector<std::string_view>& names) {
  NumberedNames by_number;
  std::unordered_set<std::string_view> seen;
  for (std::string_view name : names) {
    if (!seen.insert(name).second) continue;
    std::vector<std::string> words = NameWords(name);
    std::set<std::string> numbers;
    for (const std::string& word : words) {
      if (Digits(word)) numbers.insert(std::to_string(std::stoi(word)));
    }
    for (const std::string& number : numbers) by_number[number].push_back(words);
  }
  return by_number;
}

// Links each word of `from` names to the initial that `to` names glue to
// the same numbers, where several numbers agree.
void LinkSeries(const std::vector<std::string_view>& from, const std::vector<std::string_view>& to,
                bool from_source, WordVocabulary& vocabulary, double strength,
                const std::vector<WordLinks*>& links) {
  std::map<char, std::set<std::string>> glued;  // initial, the numbers it is glued to
  std::unordered_set<std::string_view> seen;
  for (std::string_view name : to) {
    if (!seen.insert(name).second) continue;
    for (auto& [initial, number] : GluedInitials(name)) glued[initial].insert(number);
  }
  if (glued.empty()) return;
  const NumberedNames by_number = NamesByNumber(from);
  std::map<std::pair<std::string, char>, std::set<std::string>> support;
  for (const auto& [initial, numbers] : glued) {
    for (const std::string& number : numbers) {
      auto names = by_number.find(number);
      if (names == by_number.end() || names->second.size() > kMostNamesOfANumber) continue;
      for (const std::vector<std::string>& words : names->second) {
        for (const std::string& word : words) {
          if (word.size() > 1 && word[0] == initial) support[{word, initial}].insert(number);
        }
      }
    }
  }
  for (const auto& [pair, numbers] : support) {
    if (numbers.size() < kLeastSeries) continue;
    const uint32_t word = vocabulary.Known(pair.first);
    const uint32_t initial = vocabulary.Known(std::string(1, pair.second));
    if (word == WordVocabulary::kUnknown || initial == WordVocabulary::kUnknown) continue;
    for (WordLinks* set : links) {
      set->Add(from_source ? word : initial, from_source ? initial : word, strength,
               kSignalAbbreviation);
    }
  }
}

// Per value, the words of one side that write it other than in digits, and
// those in digits.
struct Writings {
  std::map<int, std::set<std::string>> other;
  std::map<int, std::set<std::string>> digits;
};

Writings CollectWritings(const std::vector<std::string_view>& names) {
  Writings writings;
  std::unordered_set<std::string_view> seen;
  for (std::string_view name : names) {
    if (!seen.insert(name).second) continue;
    for (const NameWord& word : NameWordsWithCase(name)) {
      const int value = NumberValue(word.folded, word.capitals);
      if (value < 0) continue;
      (Digits(word.folded) ? writings.digits : writings.other)[value].insert(word.folded);
    }
  }
  return writings;
}

void LinkWritings(const Writings& from, const Writings& to, bool from_source,
                  WordVocabulary& vocabulary, double strength,
                  const std::vector<WordLinks*>& links) {
  for (const auto& [value, words] : from.other) {
    auto digits = to.digits.find(value);
    if (digits == to.digits.end()) continue;
    for (const std::string& word : words) {
      for (const std::string& number : digits->second) {
        const uint32_t a = vocabulary.Known(word), b = vocabulary.Known(number);
        if (a == WordVocabulary::kUnknown || b == WordVocabulary::kUnknown || a == b) continue;
        for (WordLinks* set : links)
          set->Add(from_source ? a : b, from_source ? b : a, strength, kSignalSpelling);
      }
    }
  }
}

}  // namespace

int NumberValue(std::string_view folded, bool capitals) {
  if (Digits(folded)) return std::stoi(std::string(folded));
  if (capitals) {
    // "I" alone is as often a letter of a series ("Type I") as a pronoun:
    // in capitals, a numeral.
    const int roman = RomanValue(folded);
    if (roman > 0) return roman;
  }
  for (size_t n = 0; n <= kLargestWritten; ++n) {
    if (folded == kWords[n] || (n > 0 && folded == kOrdinals[n])) return static_cast<int>(n);
  }
  return -1;
}

void LinkNumbers(const std::vector<std::string_view>& source,
                 const std::vector<std::string_view>& target, WordVocabulary& vocabulary,
                 double strength, const std::vector<WordLinks*>& links) {
  LinkSeries(source, target, true, vocabulary, strength, links);
  LinkSeries(target, source, false, vocabulary, strength, links);
  const Writings from = CollectWritings(source), to = CollectWritings(target);
  LinkWritings(from, to, true, vocabulary, strength, links);
  LinkWritings(to, from, false, vocabulary, strength, links);
}
