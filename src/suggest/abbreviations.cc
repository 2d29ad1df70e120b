#include "suggest/abbreviations.h"

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <unordered_set>

#include "suggest/name_words.h"
#include "suggest/suggest_model.h"

namespace {

// What reads as an abbreviation: a word in capitals of two ("PC") to five
// ("IUPAC") letters. Longer words in capitals are words shouted.
constexpr size_t kShortest = 2;
constexpr size_t kLongest = 5;

bool Letters(const std::string& word) {
  for (char c : word) {
    if (c < 'a' || c > 'z') return false;
  }
  return true;
}

struct Side {
  std::set<std::string> abbreviations;  // folded
  // Per initials that an abbreviation of the other side spells, the runs
  // of words (as numbers, sorted) that spell them, with how many names hold each.
  std::map<std::string, std::map<std::vector<uint32_t>, int>> runs;
};

// The runs an abbreviation stands for: its only expansion, or those that
// several names hold. Two words whose initials happen to spell an
// abbreviation ("Presenter City" for "PC") seldom recur; a phrase that is
// abbreviated does ("Program Committee", "Program Committee Member").
std::vector<std::vector<uint32_t>> Expansions(const std::map<std::vector<uint32_t>, int>& runs) {
  std::vector<std::vector<uint32_t>> expansions;
  for (const auto& [run, names] : runs) {
    if (runs.size() == 1 || names >= 2) expansions.push_back(run);
  }
  return expansions;
}

// An abbreviation that stands for several runs says less of each: "CA"
// for "Cornu Ammonis", "Carotid Artery" and "Coronary Artery".
double Shared(double strength, size_t expansions) {
  return expansions > 1 ? strength / static_cast<double>(expansions) : strength;
}

// The words of every distinct name, in order.
template <typename Visit>
void ForEachName(const std::vector<std::string_view>& names, Visit visit) {
  std::unordered_set<std::string_view> seen;
  for (std::string_view name : names) {
    if (seen.insert(name).second) visit(NameWordsWithCase(name));
  }
}

void CollectAbbreviations(const std::vector<std::string_view>& names, Side& side) {
  ForEachName(names, [&](const std::vector<NameWord>& words) {
    for (const NameWord& word : words) {
      if (word.capitals && word.folded.size() >= kShortest && word.folded.size() <= kLongest &&
          Letters(word.folded)) {
        side.abbreviations.insert(word.folded);
      }
    }
  });
}

// The runs of words of `names` whose initials spell an abbreviation of the other side.
void CollectRuns(const std::vector<std::string_view>& names, const std::set<std::string>& wanted,
                 WordVocabulary& vocabulary, Side& side) {
  if (wanted.empty()) return;
  ForEachName(names, [&](const std::vector<NameWord>& words) {
    for (size_t start = 0; start < words.size(); ++start) {
      std::string initials;
      std::vector<uint32_t> run;
      for (size_t end = start; end < words.size() && end - start < kLongest; ++end) {
        const uint32_t word = vocabulary.Known(words[end].folded);
        if (word == WordVocabulary::kUnknown || words[end].capitals) break;
        initials.push_back(words[end].folded.front());
        run.push_back(word);
        if (run.size() >= kShortest && wanted.count(initials) > 0) {
          std::vector<uint32_t> sorted = run;
          std::sort(sorted.begin(), sorted.end());
          ++side.runs[initials][sorted];
        }
      }
    }
  });
}

}  // namespace

void LinkAbbreviations(const std::vector<std::string_view>& source,
                       const std::vector<std::string_view>& target, WordVocabulary& vocabulary,
                       double strength, const std::vector<WordLinks*>& links) {
  Side from, to;
  CollectAbbreviations(source, from);
  CollectAbbreviations(target, to);
  CollectRuns(target, from.abbreviations, vocabulary, to);
  CollectRuns(source, to.abbreviations, vocabulary, from);
  for (const std::string& abbreviation : from.abbreviations) {
    const uint32_t word = vocabulary.Known(abbreviation);
    auto runs = to.runs.find(abbreviation);
    if (word == WordVocabulary::kUnknown || runs == to.runs.end()) continue;
    const std::vector<std::vector<uint32_t>> expansions = Expansions(runs->second);
    for (const std::vector<uint32_t>& run : expansions) {
      for (WordLinks* set : links)
        set->AddPhrase({{word}, run, Shared(strength, expansions.size()), kSignalAbbreviation});
    }
  }
  for (const std::string& abbreviation : to.abbreviations) {
    const uint32_t word = vocabulary.Known(abbreviation);
    auto runs = from.runs.find(abbreviation);
    if (word == WordVocabulary::kUnknown || runs == from.runs.end()) continue;
    const std::vector<std::vector<uint32_t>> expansions = Expansions(runs->second);
    for (const std::vector<uint32_t>& run : expansions) {
      for (WordLinks* set : links)
        set->AddPhrase({run, {word}, Shared(strength, expansions.size()), kSignalAbbreviation});
    }
  }
}
