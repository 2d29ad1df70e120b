#include "suggest/learned_substitutions.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <span>

#include "suggest/suggest_model.h"

namespace {

// Pairs whose words differ in more than this many words on a side say
// nothing clear about which word stands for which.
constexpr size_t kMostUnmatched = 3;

std::vector<uint32_t> Without(std::span<const uint32_t> words, std::span<const uint32_t> other) {
  std::vector<uint32_t> rest;
  std::set_difference(words.begin(), words.end(), other.begin(), other.end(), std::back_inserter(rest));
  return rest;
}

}  // namespace

void LearnSubstitutions(const std::vector<NamePair>& known, WordLinks& links) {
  std::map<std::pair<uint32_t, uint32_t>, double> together;
  std::map<uint32_t, double> dropped;
  std::map<uint32_t, double> seen;
  for (const auto& [source, target] : known) {
    for (uint32_t word : source->words()) seen[word] += 1;
    const std::vector<uint32_t> only_source = Without(source->words(), target->words());
    const std::vector<uint32_t> only_target = Without(target->words(), source->words());
    if (only_source.empty() || only_source.size() > kMostUnmatched) continue;
    if (only_target.empty()) {
      // Kept words are evidence enough: what the row dropped is noise.
      if (only_source.size() < source->size) {
        for (uint32_t word : only_source) dropped[word] += 1;
      }
      continue;
    }
    if (only_target.size() > kMostUnmatched) continue;
    const double share = 1.0 / static_cast<double>(std::max(only_source.size(), only_target.size()));
    for (uint32_t from : only_source) {
      for (uint32_t to : only_target) together[{from, to}] += share;
    }
  }
  for (const auto& [words, count] : together) {
    links.Add(words.first, words.second, count / (count + 1.0), kSignalLearned);
  }
  for (const auto& [word, count] : dropped) {
    links.SetDropped(word, count / (seen[word] + 1.0));
  }
}
