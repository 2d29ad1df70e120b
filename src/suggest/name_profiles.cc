#include "suggest/name_profiles.h"

#include <algorithm>
#include <utility>

#include "suggest/name_words.h"

uint32_t* ProfilePool::Allocate(size_t count) {
  if (count > kBlock) {
    blocks_.push_back(std::make_unique<uint32_t[]>(count));
    return blocks_.back().get();
  }
  if (count > left_) {
    blocks_.push_back(std::make_unique<uint32_t[]>(kBlock));
    free_ = blocks_.back().get();
    left_ = kBlock;
  }
  uint32_t* at = free_;
  free_ += count;
  left_ -= count;
  return at;
}

WordVocabulary::WordVocabulary(bool use_stems) : use_stems_(use_stems) {
  compacts_.emplace(std::string(), NameProfile::kNoCompact);
}

uint32_t WordVocabulary::Intern(const std::string& word) {
  auto found = ids_.find(word);
  if (found != ids_.end()) return found->second;
  const auto id = static_cast<uint32_t>(words_.size());
  words_.push_back(word);
  ids_.emplace(word, id);
  return id;
}

uint32_t WordVocabulary::Known(const std::string& folded) {
  auto found = ids_.find(use_stems_ ? stemmer_.Stem(folded) : folded);
  return found == ids_.end() ? kUnknown : found->second;
}

uint32_t WordVocabulary::InternCompact(const std::string& compact) {
  return compacts_.emplace(compact, static_cast<uint32_t>(compacts_.size())).first->second;
}

NameProfile WordVocabulary::Store(const std::vector<uint32_t>& words,
                                  const std::vector<uint32_t>& forms, uint32_t compact) {
  NameProfile profile;
  profile.compact = compact;
  if (words.empty()) return profile;
  uint32_t* data = pool_.Allocate(2 * words.size());
  std::copy(words.begin(), words.end(), data);
  std::copy(forms.begin(), forms.end(), data + words.size());
  profile.data = data;
  profile.size = static_cast<uint32_t>(words.size());
  return profile;
}

NameProfile WordVocabulary::Profile(std::string_view name) {
  if (auto known = remembered_.find(name); known != remembered_.end()) return known->second;
  const NameProfile profile = NewProfile(name);
  if (remembered_.size() < kMostRemembered) remembered_.emplace(std::string(name), profile);
  return profile;
}

void WordVocabulary::ForgetNames() { decltype(remembered_)().swap(remembered_); }

NameProfile WordVocabulary::NewProfile(std::string_view name) {
  const std::vector<std::string> folded = NameWords(name);
  std::vector<std::pair<uint32_t, uint32_t>> pairs;  // stem, form
  for (const std::string& word : folded) {
    const uint32_t form = Intern(word);
    pairs.emplace_back(use_stems_ ? Intern(stemmer_.Stem(word)) : form, form);
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<uint32_t> words, forms;
  for (const auto& [stem, form] : pairs) {
    if (!words.empty() && words.back() == stem) continue;
    words.push_back(stem);
    forms.push_back(form);
  }
  return Store(words, forms, InternCompact(CompactName(folded)));
}

NameProfile WordVocabulary::WithoutWordsOf(const NameProfile& profile, const NameProfile& other) {
  const auto other_forms = other.forms();
  // Most attribute names hold no word of their class's name: nothing to make.
  const auto profile_forms = profile.forms();
  if (std::none_of(profile_forms.begin(), profile_forms.end(), [&](uint32_t form) {
        return std::find(other_forms.begin(), other_forms.end(), form) != other_forms.end();
      })) {
    return NameProfile{};
  }
  std::vector<uint32_t> words, forms;
  for (size_t i = 0; i < profile.size; ++i) {
    const uint32_t form = profile.forms()[i];
    if (std::find(other_forms.begin(), other_forms.end(), form) != other_forms.end()) continue;
    words.push_back(profile.words()[i]);
    forms.push_back(form);
  }
  if (words.size() == profile.size) return NameProfile{};
  std::string compact(1, '\x1f');  // never equal to a real compact name
  for (uint32_t form : forms) compact.append(std::to_string(form)).push_back('\x1f');
  return Store(words, forms, InternCompact(compact));
}
