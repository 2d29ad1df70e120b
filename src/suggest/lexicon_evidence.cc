#include "suggest/lexicon_evidence.h"

#include <algorithm>

#include "suggest/name_words.h"
#include "suggest/word_stems.h"

namespace {

// The name's words as the matcher stems them, sorted.
std::vector<std::string> StemmedWords(std::string_view name) {
  thread_local WordStemmer stemmer;
  std::vector<std::string> words;
  for (const std::string& word : NameWords(name)) words.push_back(stemmer.Stem(word));
  std::sort(words.begin(), words.end());
  return words;
}

bool HoldsAll(const std::vector<std::string>& words, const std::vector<std::string>& some) {
  return std::all_of(some.begin(), some.end(), [&](const std::string& word) {
    return std::binary_search(words.begin(), words.end(), word);
  });
}

}  // namespace

void LexiconEvidence::Add(std::vector<std::string> from, std::vector<std::string> to,
                          std::string said, uint32_t signal) {
  if (from.empty() || to.empty()) return;
  by_first_[from.front()].push_back(static_cast<uint32_t>(entries_.size()));
  entries_.push_back({std::move(from), std::move(to), std::move(said), signal});
}

std::string LexiconEvidence::Explain(std::string_view source, std::string_view target,
                                     uint32_t signal) const {
  if (entries_.empty()) return "";
  const std::vector<std::string> source_words = StemmedWords(source),
                                 target_words = StemmedWords(target);
  for (const std::string& word : source_words) {
    auto found = by_first_.find(word);
    if (found == by_first_.end()) continue;
    for (uint32_t at : found->second) {
      const Entry& entry = entries_[at];
      if (entry.signal == signal && HoldsAll(source_words, entry.from) &&
          HoldsAll(target_words, entry.to)) {
        return entry.said;
      }
    }
  }
  return "";
}
