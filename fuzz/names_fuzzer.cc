// Arbitrary bytes as class names, one a line, read as the matcher reads
// them. Every name's head is one of its words or none; names about the same
// thing meet both ways round; a slip between two words is found from
// either; each name is like itself fully and like any other within [0, 1],
// the same both ways round when no link leads one way. Any failure aborts.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/match_weights.h"
#include "suggest/name_heads.h"
#include "suggest/name_profiles.h"
#include "suggest/name_similarity.h"
#include "suggest/name_words.h"
#include "suggest/spelling_index.h"
#include "suggest/word_links.h"
#include "suggest/word_weights.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "names_fuzzer: %s\n", what);
  std::abort();
}

std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    lines.push_back(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return lines;
}

bool Contains(std::span<const uint32_t> words, uint32_t word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string_view> names = Lines(text);
  WordVocabulary vocabulary(true);
  std::vector<NameProfile> profiles;
  for (std::string_view name : names) {
    const std::vector<NameWord> words = NameWordsWithCase(name);
    const size_t head = HeadPlace(name, words);
    Require(head == kNoHead || head < words.size(), "a head beyond the name's words");
    for (const NameWord& word : words)
      Require(Singular(word).size() <= word.folded.size(), "a singular longer than its word");
    profiles.push_back(vocabulary.Profile(name));
    const NameProfile& profile = profiles.back();
    Require(profile.head() == NameProfile::kNoHead || Contains(profile.words(), profile.head()),
            "a profile's head is none of its words");
  }
  WordLinks links;
  links.Seal();
  WordWeights weights;
  for (const NameProfile& p : profiles) weights.Count({&p});
  weights.Finish(vocabulary.size(), false);
  // Every pair of the first names: enough to meet every word's case.
  const size_t paired = std::min<size_t>(profiles.size(), 24);
  for (size_t i = 0; i < paired; ++i) {
    for (size_t j = 0; j < paired; ++j) {
      const NameProfile &a = profiles[i], &b = profiles[j];
      Require(HeadsMeet(a, b, links) == HeadsMeet(b, a, links), "heads meet one way only");
      const double likeness = NameLikeness(a, b, weights, links, NameScoring{}).score;
      Require(likeness >= 0 && likeness <= 1, "a likeness outside [0, 1]");
      Require(std::abs(likeness - NameLikeness(b, a, weights, links, NameScoring{}).score) < 1e-9,
              "a likeness differs both ways round");
      if (i == j && !a.empty()) Require(likeness == 1, "a name unlike itself");
    }
  }
  // Slips: every word against every other, from both sides, as the matcher
  // looks for them.
  const NameScoring scoring;
  SlipIndex slips(scoring.shortest_slip, scoring.shortest_slip_longer);
  for (uint32_t id = 0; id < vocabulary.size(); ++id) slips.Add(id, vocabulary.Word(id));
  slips.Seal();
  for (uint32_t id = 0; id < vocabulary.size(); ++id) {
    for (uint32_t near : slips.Near(id, vocabulary.Word(id))) {
      const std::vector<uint32_t> back = slips.Near(near, vocabulary.Word(near));
      Require(near != id, "a word is its own slip");
      Require(std::find(back.begin(), back.end(), id) != back.end(), "a slip found one way only");
    }
  }
  return 0;
}
