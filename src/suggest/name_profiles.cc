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

// Words that join a head to what qualifies it: "Call for Papers".
bool Linking(const std::string& word) {
  static constexpr std::string_view kLinking[] = {"of", "for",  "in", "on",   "at",
                                                  "by", "with", "to", "from", "per"};
  return std::find(std::begin(kLinking), std::end(kLinking), word) != std::end(kLinking);
}

bool Digits(const std::string& word) {
  return std::all_of(word.begin(), word.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Where the part of a name that its qualifiers follow ends: at a comma,
// a colon, a semicolon, an opening bracket or a dash between blanks
// ("Pump, Centrifugal", "Valve (Gate)", "Valve - Gate").
size_t QualifiersStart(std::string_view name) {
  size_t at = name.find_first_of(",;:([{");
  return std::min(at, name.find(" - "));
}

// The place in `folded` of the word the name is about: English puts it
// last ("Session Chair"), before a linking word ("Chair of Session") or
// before its qualifiers ("Chair, Session"); a number after it qualifies it.
size_t HeadPlace(std::string_view name, const std::vector<std::string>& folded) {
  size_t end = folded.size();
  if (const size_t qualifiers = QualifiersStart(name); qualifiers != std::string_view::npos) {
    const size_t before = NameWords(name.substr(0, qualifiers)).size();
    if (before > 0) end = std::min(end, before);
  }
  for (size_t i = 1; i < end; ++i) {
    if (Linking(folded[i])) {
      end = i;
      break;
    }
  }
  size_t head = end - 1;
  while (head > 0 && Digits(folded[head])) --head;
  return head;
}

// A word without its plural ending: "papers" is "paper", "fees" "fee",
// "addresses" "address", "categories" "category". Endings that also end
// singular words ("status", "analysis", "class") stay.
std::string Singular(const std::string& word) {
  auto ends = [&](std::string_view end) {
    return word.size() > end.size() + 2 &&
           word.compare(word.size() - end.size(), end.size(), end) == 0;
  };
  if (ends("ies")) return word.substr(0, word.size() - 3) + "y";
  for (std::string_view end : {"sses", "xes", "zes", "ches", "shes"}) {
    if (ends(end)) return word.substr(0, word.size() - 2);
  }
  if (ends("s") && !ends("ss") && !ends("us") && !ends("is"))
    return word.substr(0, word.size() - 1);
  return word;
}

bool Holds(const std::vector<uint32_t>& words, uint32_t word) {
  return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

NameProfile WordVocabulary::NewProfile(std::string_view name) {
  const std::vector<std::string> folded = NameWords(name);
  const size_t head_place = folded.empty() ? 0 : HeadPlace(name, folded);
  uint32_t head = 0;
  std::vector<std::pair<uint32_t, uint32_t>> pairs;  // stem, form
  for (const std::string& word : folded) {
    const uint32_t form = Intern(Singular(word));
    pairs.emplace_back(use_stems_ ? Intern(stemmer_.Stem(word)) : form, form);
    if (pairs.size() == head_place + 1) head = pairs.back().first;
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
  const uint32_t head =
      words.empty() || Holds(words, profile.head()) ? profile.head() : words.back();
  return Store(words, forms, InternCompact(compact), head);
}
