#include "suggest/learned_substitutions.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <span>

#include "suggest/suggest_model.h"

namespace {

std::vector<uint32_t> Without(std::span<const uint32_t> words, std::span<const uint32_t> other) {
  std::vector<uint32_t> rest;
  std::set_difference(words.begin(), words.end(), other.begin(), other.end(),
                      std::back_inserter(rest));
  return rest;
}

using WordPair = std::pair<uint32_t, uint32_t>;
using NamesPair = std::pair<uint32_t, uint32_t>;  // the two names' compact numbers

struct Tally {
  std::map<WordPair, double> together;             // share of rows renaming one word to the other
  std::map<WordPair, std::set<NamesPair>> behind;  // the distinct pairs of names doing so
  std::map<uint32_t, double> renamed_or_kept;      // rows where a source word is renamed or kept
  std::map<uint32_t, double> brought;              // rows bringing a target word in
  std::map<uint32_t, double> dropped;              // rows dropping a source word
  std::map<uint32_t, double> seen;                 // rows holding a source word
};

void CountPair(const NameProfile& source, const NameProfile& target, size_t most_unmatched,
               Tally& tally) {
  for (uint32_t word : source.words()) tally.seen[word] += 1;
  const std::vector<uint32_t> only_source = Without(source.words(), target.words());
  const std::vector<uint32_t> only_target = Without(target.words(), source.words());
  for (uint32_t word : source.words()) {
    if (std::find(only_source.begin(), only_source.end(), word) == only_source.end()) {
      tally.renamed_or_kept[word] += 1;
    }
  }
  if (only_source.empty() || only_source.size() > most_unmatched) return;
  if (only_target.empty()) {
    // Kept words are evidence enough: what the row dropped is noise.
    if (only_source.size() < source.size) {
      for (uint32_t word : only_source) tally.dropped[word] += 1;
    }
    return;
  }
  if (only_target.size() > most_unmatched) return;
  const double share = 1.0 / static_cast<double>(std::max(only_source.size(), only_target.size()));
  for (uint32_t from : only_source) tally.renamed_or_kept[from] += 1;
  for (uint32_t to : only_target) tally.brought[to] += 1;
  for (uint32_t from : only_source) {
    for (uint32_t to : only_target) {
      tally.together[{from, to}] += share;
      tally.behind[{from, to}].insert({source.compact, target.compact});
    }
  }
}

}  // namespace

void LearnSubstitutions(const std::vector<NamePair>& known, const LearningRules& rules,
                        WordLinks& links) {
  Tally tally;
  for (const auto& [source, target] : known)
    CountPair(*source, *target, rules.most_unmatched, tally);
  for (const auto& [words, count] : tally.together) {
    const size_t name_pairs = tally.behind[words].size();
    if (name_pairs < rules.least_name_pairs) continue;
    const double faithful = count / tally.renamed_or_kept[words.first];
    const double specific = count / tally.brought[words.second];
    if (faithful < rules.least_faithful || specific < rules.least_specific) continue;
    const double support = static_cast<double>(name_pairs) / static_cast<double>(name_pairs + 1);
    links.Add(words.first, words.second, rules.strongest * std::min(faithful, specific) * support,
              kSignalLearned);
  }
  for (const auto& [word, count] : tally.dropped) {
    if (count < static_cast<double>(rules.least_name_pairs)) continue;
    links.SetDropped(word, count / (tally.seen[word] + 1.0));
  }
}
