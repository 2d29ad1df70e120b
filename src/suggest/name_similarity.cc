#include "suggest/name_similarity.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "suggest/suggest_model.h"

namespace {

// Words that meet only through their stems: "Reviewer" and "Review", which
// the stemmer joins and which differ ("Paper" and "Papers" are one form).
// Names have a handful of words: a scan beats a binary search.
size_t PlaceOf(std::span<const uint32_t> words, uint32_t word) {
  size_t i = 0;
  while (i < words.size() && words[i] < word) ++i;
  return i < words.size() && words[i] == word ? i : words.size();
}

bool Holds(std::span<const uint32_t> words, uint32_t word) {
  return PlaceOf(words, word) != words.size();
}

bool HoldsAll(std::span<const uint32_t> words, const std::vector<uint32_t>& some) {
  return std::all_of(some.begin(), some.end(), [&](uint32_t word) { return Holds(words, word); });
}

// Whether word `i` of `name` is kept in `other`: in the same form, or with
// the same stem ("intestine" and "intestinal", "copy" and "copying"), but
// for the word either name is about: "Presenter" is not a "Presentation".
bool Kept(const NameProfile& name, size_t i, const NameProfile& other, bool stems_kept) {
  const uint32_t word = name.words()[i];
  const size_t at = PlaceOf(other.words(), word);
  if (at == other.size) return false;
  if (name.forms()[i] == other.forms()[at]) return true;
  return stems_kept && word != name.head() && word != other.head();
}

}  // namespace

Likeness NameLikeness(const NameProfile& source, const NameProfile& target,
                      const WordWeights& weights, const WordLinks& links,
                      const NameScoring& scoring) {
  Likeness likeness;
  if (source.empty() || target.empty()) return likeness;
  if (source.compact == target.compact) {
    likeness.score = 1.0;
    return likeness;
  }
  double shared = 0;
  double learned = 0;  // the part of `shared` that only a learned substitution gives
  uint32_t used[8];    // target words a link already took; more links than this are not counted
  size_t used_count = 0;
  const auto source_words = source.words(), target_words = target.words();
  uint64_t target_signature = 0;
  for (uint32_t word : target_words) target_signature |= WordLinks::Bit(word);
  // Phrases first: source words that together stand for target words, where
  // neither side's words meet as they are. Their words are then spoken for.
  uint64_t consumed = 0;  // source words a phrase took, by place
  for (size_t i = 0; i < source_words.size() && i < 64; ++i) {
    if (!links.HasPhrases(source_words[i])) continue;
    for (const PhraseLink& phrase : links.PhrasesFrom(source_words[i])) {
      if (!HoldsAll(source_words, phrase.from) || !HoldsAll(target_words, phrase.to)) continue;
      if (std::any_of(phrase.from.begin(), phrase.from.end(),
                      [&](uint32_t w) { return Holds(target_words, w); }) ||
          std::any_of(phrase.to.begin(), phrase.to.end(),
                      [&](uint32_t w) { return Holds(source_words, w); }) ||
          used_count + phrase.to.size() > std::size(used)) {
        continue;
      }
      double weight = 0;
      bool free = true;
      for (uint32_t w : phrase.from) {
        const size_t at = PlaceOf(source_words, w);
        free = free && at < 64 && (consumed & (uint64_t{1} << at)) == 0;
        weight += weights.Weight(w);
      }
      if (!free) continue;
      for (uint32_t w : phrase.from) consumed |= uint64_t{1} << PlaceOf(source_words, w);
      for (uint32_t w : phrase.to) {
        used[used_count++] = w;
        weight += weights.Weight(w);
      }
      shared += phrase.strength * weight;
      likeness.signals |= phrase.signal;
    }
  }
  // The source's part of the total, summed in the same order as below.
  double total = 0;
  for (size_t i = 0; i < source_words.size(); ++i) {
    const uint32_t word = source_words[i];
    const double weight = weights.Weight(word) * (1.0 - links.Dropped(word));
    total += weight;
    if (i < 64 && (consumed & (uint64_t{1} << i)) != 0) continue;
    if (const size_t at = PlaceOf(target_words, word); at != target_words.size()) {
      const bool same_form = source.forms()[i] == target.forms()[at];
      shared += (same_form ? 1.0 : scoring.stem_only) * (weight + weights.Weight(word));
      if (!same_form) likeness.signals |= kSignalStems;
      continue;
    }
    if ((links.Reach(word) & target_signature) == 0) continue;
    // The strongest link to a word of the target, the first one made among
    // equals; a link to a word both names hold, or to one already taken by
    // another link, does not count.
    const WordLink* best = nullptr;
    for (uint32_t to : target_words) {
      const WordLink* link = links.Find(word, to);
      if (link == nullptr || Holds(source_words, to)) continue;
      if (std::find(used, used + used_count, to) != used + used_count) continue;
      if (best == nullptr || link->strength > best->strength ||
          (link->strength == best->strength && link < best)) {
        best = link;
      }
    }
    if (best == nullptr || used_count == std::size(used)) continue;
    used[used_count++] = best->to;
    const double part = best->strength * (weight + weights.Weight(best->to));
    shared += part;
    if (best->signal == kSignalLearned) learned += part;
    likeness.signals |= best->signal;
  }
  // What the table's rows teach may raise a pair the names already make,
  // never make one of names that share nothing else.
  if (shared <= learned) return Likeness{};
  for (uint32_t word : target_words) total += weights.Weight(word);
  likeness.score = total > 0 ? std::min(1.0, shared / total) : 0.0;
  return likeness;
}

bool HeadsMeet(const NameProfile& source, const NameProfile& target, const WordLinks& links) {
  const uint32_t source_head = source.head();
  const uint32_t target_head = target.head();
  if (source_head == NameProfile::kNoHead || target_head == NameProfile::kNoHead) return false;
  if (source_head == target_head || links.Find(source_head, target_head) != nullptr) return true;
  // Or one phrase of each holds them: "Program Committee" and "PC".
  const auto source_words = source.words(), target_words = target.words();
  for (uint32_t word : source_words) {
    if (!links.HasPhrases(word)) continue;
    for (const PhraseLink& phrase : links.PhrasesFrom(word)) {
      if (std::find(phrase.from.begin(), phrase.from.end(), source_head) != phrase.from.end() &&
          std::find(phrase.to.begin(), phrase.to.end(), target_head) != phrase.to.end() &&
          HoldsAll(source_words, phrase.from) && HoldsAll(target_words, phrase.to)) {
        return true;
      }
    }
  }
  return false;
}

WordCoverage WordsCover(const NameProfile& source, const NameProfile& target,
                        const WordLinks& links, const std::vector<bool>& needless,
                        bool stems_kept) {
  if (source.empty() || target.empty()) return {};
  if (source.compact == target.compact) return {true, true};
  WordCoverage coverage{true, true};
  const auto source_words = source.words(), target_words = target.words();
  const auto source_forms = source.forms(), target_forms = target.forms();
  auto is_needless = [&](uint32_t form) { return form < needless.size() && needless[form]; };
  auto in_phrase = [&](uint32_t word, bool from_side) {
    for (uint32_t s : source_words) {
      if (!links.HasPhrases(s)) continue;
      for (const PhraseLink& phrase : links.PhrasesFrom(s)) {
        if (!HoldsAll(source_words, phrase.from) || !HoldsAll(target_words, phrase.to)) continue;
        const std::vector<uint32_t>& side = from_side ? phrase.from : phrase.to;
        if (std::find(side.begin(), side.end(), word) != side.end()) return true;
      }
    }
    return false;
  };
  for (size_t i = 0; i < source_words.size(); ++i) {
    const uint32_t word = source_words[i];
    if (Kept(source, i, target, stems_kept) || links.Dropped(word) > 0 ||
        is_needless(source_forms[i]))
      continue;
    const bool linked = std::any_of(target_words.begin(), target_words.end(),
                                    [&](uint32_t to) { return links.Find(word, to) != nullptr; });
    if (!linked && !in_phrase(word, true)) {
      coverage.source = false;
      break;
    }
  }
  for (size_t k = 0; k < target_words.size(); ++k) {
    const uint32_t word = target_words[k];
    if (Kept(target, k, source, stems_kept) || is_needless(target_forms[k])) continue;
    const bool linked = std::any_of(source_words.begin(), source_words.end(), [&](uint32_t from) {
      return links.Find(from, word) != nullptr;
    });
    if (!linked && !in_phrase(word, false)) {
      coverage.target = false;
      break;
    }
  }
  return coverage;
}

bool SameHeadForm(const NameProfile& source, const NameProfile& target) {
  if (source.head() != target.head() || source.head() == NameProfile::kNoHead) return true;
  const auto form = [](const NameProfile& name) {
    return name.forms()[PlaceOf(name.words(), name.head())];
  };
  return form(source) == form(target);
}

bool HeadsApart(const NameProfile& source, const NameProfile& target, const WordLinks& links) {
  return source.head() != NameProfile::kNoHead && target.head() != NameProfile::kNoHead &&
         !HeadsMeet(source, target, links);
}
