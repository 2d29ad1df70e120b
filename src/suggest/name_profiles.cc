#include "suggest/name_profiles.h"

#include <algorithm>
#include <utility>

#include "suggest/name_words.h"

uint32_t WordVocabulary::Intern(const std::string& word) {
  auto found = ids_.find(word);
  if (found != ids_.end()) return found->second;
  const auto id = static_cast<uint32_t>(words_.size());
  words_.push_back(word);
  ids_.emplace(word, id);
  return id;
}

NameProfile WordVocabulary::Profile(std::string_view name) {
  NameProfile profile;
  const std::vector<std::string> words = NameWords(name);
  profile.compact = CompactName(words);
  std::vector<std::pair<uint32_t, uint32_t>> pairs;  // stem, form
  for (const std::string& word : words) {
    const uint32_t form = Intern(word);
    pairs.emplace_back(use_stems_ ? Intern(stemmer_.Stem(word)) : form, form);
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [stem, form] : pairs) {
    if (!profile.words.empty() && profile.words.back() == stem) continue;
    profile.words.push_back(stem);
    profile.forms.push_back(form);
  }
  return profile;
}
