#include "suggest/name_profiles.h"

#include <algorithm>
#include <utility>

#include "suggest/name_heads.h"
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
  // Without stems a name's words are numbered in the singular.
  auto found = ids_.find(use_stems_ ? stemmer_.Stem(folded) : Singular(NameWord{folded, false}));
  return found == ids_.end() ? kUnknown : found->second;
}

uint32_t WordVocabulary::InternCompact(const std::string& compact) {
  return compacts_.emplace(compact, static_cast<uint32_t>(compacts_.size())).first->second;
}

NameProfile WordVocabulary::Store(const std::vector<uint32_t>& words,
                                  const std::vector<uint32_t>& forms, uint32_t compact,
                                  uint32_t head) {
  NameProfile profile;
  profile.compact = compact;
  if (words.empty()) return profile;
  uint32_t* data = pool_.Allocate(2 * words.size() + 1);
  std::copy(words.begin(), words.end(), data);
  std::copy(forms.begin(), forms.end(), data + words.size());
  data[2 * words.size()] = head;
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

namespace {

bool Holds(const std::vector<uint32_t>& words, uint32_t word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

NameProfile WordVocabulary::NewProfile(std::string_view name) {
  const std::vector<NameWord> cased = NameWordsWithCase(name);
  const size_t head_place = HeadPlace(name, cased);
  uint32_t head = NameProfile::kNoHead;
  std::vector<std::string> folded;
  std::vector<std::pair<uint32_t, uint32_t>> pairs;  // stem, form
  for (const NameWord& word : cased) {
    const uint32_t form = Intern(Singular(word));
    pairs.emplace_back(use_stems_ ? Intern(stemmer_.Stem(word.folded)) : form, form);
    if (pairs.size() == head_place + 1) head = pairs.back().first;
    folded.push_back(word.folded);
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<uint32_t> words, forms;
  for (const auto& [stem, form] : pairs) {
    if (!words.empty() && words.back() == stem) continue;
    words.push_back(stem);
    forms.push_back(form);
  }
  return Store(words, forms, InternCompact(CompactName(folded)), head);
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
  // What is left of a name is about the same thing, unless its head went.
  const uint32_t head = Holds(words, profile.head()) ? profile.head() : NameProfile::kNoHead;
  return Store(words, forms, InternCompact(compact), head);
}
