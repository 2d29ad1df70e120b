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

NameProfile WithoutWordsOf(const NameProfile& profile, const NameProfile& other) {
  NameProfile rest;
  for (size_t i = 0; i < profile.words.size(); ++i) {
    if (std::find(other.forms.begin(), other.forms.end(), profile.forms[i]) != other.forms.end()) continue;
    rest.words.push_back(profile.words[i]);
    rest.forms.push_back(profile.forms[i]);
  }
  if (rest.words.size() == profile.words.size()) return NameProfile{};
  rest.compact.assign(1, '\x1f');  // never equal to a real compact name
  for (uint32_t form : rest.forms) rest.compact.append(std::to_string(form)).push_back('\x1f');
  return rest;
}
