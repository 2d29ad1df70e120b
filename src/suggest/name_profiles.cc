#include "suggest/name_profiles.h"

#include <algorithm>

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
  for (const std::string& word : words) {
    profile.words.push_back(Intern(use_stems_ ? stemmer_.Stem(word) : word));
  }
  std::sort(profile.words.begin(), profile.words.end());
  profile.words.erase(std::unique(profile.words.begin(), profile.words.end()), profile.words.end());
  return profile;
}
