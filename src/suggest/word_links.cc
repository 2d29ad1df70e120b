#include "suggest/word_links.h"

#include <algorithm>

void WordLinks::Add(uint32_t from, uint32_t to, double strength, uint32_t signal) {
  if (from >= links_.size()) {
    links_.resize(from + 1);
    reach_.resize(from + 1, 0);
  }
  reach_[from] |= Bit(to);
  sealed_ = false;
  for (WordLink& link : links_[from]) {
    if (link.to != to) continue;
    if (strength > link.strength) link = WordLink{to, strength, signal};
    return;
  }
  links_[from].push_back(WordLink{to, strength, signal});
}

const std::vector<WordLink>& WordLinks::From(uint32_t word) const {
  static const std::vector<WordLink> kNone;
  return word < links_.size() ? links_[word] : kNone;
}

void WordLinks::MarkKnown(uint32_t word) {
  if (word >= known_.size()) known_.resize(word + 1, false);
  known_[word] = true;
}

void WordLinks::SetDropped(uint32_t word, double share) {
  if (word >= dropped_.size()) dropped_.resize(word + 1, 0.0);
  dropped_[word] = share;
}

const WordLink* WordLinks::Find(uint32_t from, uint32_t to) const {
  if (from >= links_.size() || (Reach(from) & Bit(to)) == 0) return nullptr;
  const std::vector<WordLink>& links = links_[from];
  if (!sealed_) {
    auto found =
        std::find_if(links.begin(), links.end(), [&](const WordLink& l) { return l.to == to; });
    return found == links.end() ? nullptr : &*found;
  }
  const auto begin = targets_.begin() + first_[from], end = targets_.begin() + first_[from + 1];
  const auto at = std::lower_bound(begin, end, to);
  return at != end && *at == to ? &links[places_[static_cast<size_t>(at - targets_.begin())]]
                                : nullptr;
}

void WordLinks::Seal() {
  first_.assign(1, 0);
  targets_.clear();
  places_.clear();
  std::vector<uint32_t> order;
  for (const std::vector<WordLink>& links : links_) {
    order.resize(links.size());
    for (size_t i = 0; i < links.size(); ++i) order[i] = static_cast<uint32_t>(i);
    std::sort(order.begin(), order.end(),
              [&](uint32_t a, uint32_t b) { return links[a].to < links[b].to; });
    for (uint32_t place : order) {
      targets_.push_back(links[place].to);
      places_.push_back(place);
    }
    first_.push_back(static_cast<uint32_t>(targets_.size()));
  }
  sealed_ = true;
}

void WordLinks::AddPhrase(PhraseLink link) {
  if (link.from.empty() || link.to.empty()) return;
  std::sort(link.from.begin(), link.from.end());
  std::sort(link.to.begin(), link.to.end());
  const uint32_t first = link.from.front();
  if (first >= phrases_.size()) phrases_.resize(first + 1);
  for (PhraseLink& known : phrases_[first]) {
    if (known.from != link.from || known.to != link.to) continue;
    if (link.strength > known.strength) known = std::move(link);
    return;
  }
  phrases_[first].push_back(std::move(link));
}

const std::vector<PhraseLink>& WordLinks::PhrasesFrom(uint32_t word) const {
  static const std::vector<PhraseLink> kNone;
  return word < phrases_.size() ? phrases_[word] : kNone;
}
