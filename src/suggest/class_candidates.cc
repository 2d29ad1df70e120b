#include "suggest/class_candidates.h"

#include <algorithm>

ClassCandidateIndex::ClassCandidateIndex(const MatchContext& context)
    : context_(context), postings_(context.vocabulary.size()) {
  std::vector<double> heft(context.target_names.size(), 0);
  for (size_t t = 0; t < context.target_names.size(); ++t) {
    const ClassNames& names = context.target_names[t];
    heft[t] = context.class_weights.Sum(names.label.words());
    std::vector<uint32_t> words(names.label.words().begin(), names.label.words().end());
    words.insert(words.end(), names.key.words().begin(), names.key.words().end());
    std::sort(words.begin(), words.end());
    words.erase(std::unique(words.begin(), words.end()), words.end());
    for (uint32_t word : words) postings_[word].push_back(static_cast<uint32_t>(t));
    by_compact_[names.label.compact].push_back(static_cast<uint32_t>(t));
    if (names.key_differs) by_compact_[names.key.compact].push_back(static_cast<uint32_t>(t));
  }
  for (std::vector<uint32_t>& list : postings_) {
    std::stable_sort(list.begin(), list.end(),
                     [&](uint32_t a, uint32_t b) { return heft[a] < heft[b]; });
  }
}

void ClassCandidateIndex::AddPostings(uint32_t word, std::vector<uint32_t>& out,
                                      Scratch& scratch) const {
  if (word >= postings_.size()) return;
  const std::vector<uint32_t>& list = postings_[word];
  const size_t end = std::min(list.size(), context_.weights.classes.most_per_word);
  for (size_t i = 0; i < end; ++i) {
    if (scratch.stamp[list[i]] == scratch.mark) continue;
    scratch.stamp[list[i]] = scratch.mark;
    out.push_back(list[i]);
  }
}

std::vector<uint32_t> ClassCandidateIndex::Gather(size_t source, const NameProfile& row,
                                                  Scratch& scratch) const {
  if (scratch.stamp.size() != context_.input.target.size())
    scratch.stamp.assign(context_.input.target.size(), 0);
  const uint32_t mark = ++scratch.mark;
  std::vector<uint32_t> out;
  const ClassNames& names = context_.source_names[source];
  for (uint32_t compact : {row.compact, names.label.compact, names.key.compact}) {
    if (compact == NameProfile::kNoCompact) continue;
    auto found = by_compact_.find(compact);
    if (found == by_compact_.end()) continue;
    for (uint32_t t : found->second) {
      if (scratch.stamp[t] != mark) {
        scratch.stamp[t] = mark;
        out.push_back(t);
      }
    }
  }
  std::vector<uint32_t> words(names.label.words().begin(), names.label.words().end());
  words.insert(words.end(), names.key.words().begin(), names.key.words().end());
  words.insert(words.end(), row.words().begin(), row.words().end());
  std::sort(words.begin(), words.end());
  words.erase(std::unique(words.begin(), words.end()), words.end());
  // Rarest first: they say the most and bring the fewest classes.
  std::sort(words.begin(), words.end(), [&](uint32_t a, uint32_t b) {
    const size_t fa = context_.class_weights.Frequency(a), fb = context_.class_weights.Frequency(b);
    return fa != fb ? fa < fb : a < b;
  });
  for (uint32_t word : words) {
    if (out.size() >= context_.weights.classes.enough) break;
    AddPostings(word, out, scratch);
    context_.class_links.ForEachLinked(word, [&](uint32_t to) { AddPostings(to, out, scratch); });
  }
  return out;
}

bool ClassCandidateIndex::OnlyExactMatch(size_t source, size_t target) const {
  const ClassNames& s = context_.source_names[source];
  const ClassNames& t = context_.target_names[target];
  if (s.label.compact == NameProfile::kNoCompact || s.label.compact != t.label.compact ||
      s.key.compact != t.key.compact) {
    return false;
  }
  for (uint32_t compact : {s.label.compact, s.key.compact}) {
    auto found = by_compact_.find(compact);
    if (found == by_compact_.end()) continue;
    for (uint32_t other : found->second) {
      if (other != target && context_.target_tree.Reachable(other)) return false;
    }
  }
  return true;
}

bool ClassCandidateIndex::ReadsAsOwn(size_t source, size_t target) const {
  const ClassNames& s = context_.source_names[source];
  const ClassNames& t = context_.target_names[target];
  auto same = [](const NameProfile& a, const NameProfile& b) {
    return a.compact != NameProfile::kNoCompact && a.compact == b.compact;
  };
  return same(s.label, t.label) || same(s.key, t.key);
}

namespace {

Likeness ClassLikeness(const MatchContext& context, const NameProfile& a, const NameProfile& b) {
  Likeness likeness =
      NameLikeness(a, b, context.class_weights, context.class_links, context.weights.names);
  if (likeness.score < 1 && HeadsApart(a, b, context.class_links))
    likeness.score *= 1 - context.weights.names.heads_apart;
  return likeness;
}

}  // namespace

Likeness ClassNameLikeness(const MatchContext& context, size_t source, size_t target) {
  const ClassNames& s = context.source_names[source];
  const ClassNames& t = context.target_names[target];
  Likeness best;
  auto consider = [&](const NameProfile& a, const NameProfile& b, uint32_t signal) {
    Likeness likeness = ClassLikeness(context, a, b);
    if (likeness.score <= 0) return;
    likeness.signals |= signal;
    if (likeness.score > best.score) {
      best = likeness;
    } else if (likeness.score == best.score) {
      best.signals |= likeness.signals;
    }
  };
  const bool keys = context.Uses(kSignalKey);
  if (context.Uses(kSignalLabel)) consider(s.label, t.label, kSignalLabel);
  if (keys && (s.key_differs || t.key_differs)) {
    consider(s.key, t.key, kSignalKey);
    consider(s.label, t.key, kSignalKey);
    consider(s.key, t.label, kSignalKey);
  }
  return best;
}

bool ClassHeadsMeet(const MatchContext& context, size_t source, size_t target, bool same_form) {
  const ClassNames& s = context.source_names[source];
  const ClassNames& t = context.target_names[target];
  for (const NameProfile* a : {&s.label, &s.key}) {
    for (const NameProfile* b : {&t.label, &t.key}) {
      if (HeadsMeet(*a, *b, context.class_links) && (!same_form || SameHeadForm(*a, *b)))
        return true;
    }
  }
  return false;
}

WordRelation RelateWords(const MatchContext& context, size_t source, size_t target) {
  const ClassNames& s = context.source_names[source];
  const ClassNames& t = context.target_names[target];
  bool keeps = false, broader = false;
  for (const NameProfile* a : {&s.label, &s.key}) {
    for (const NameProfile* b : {&t.label, &t.key}) {
      const WordCoverage cover = WordsCover(*a, *b, context.class_links, context.linking_words,
                                            context.Uses(kSignalStemsKept));
      if (cover.source && cover.target) return WordRelation::kSame;
      keeps = keeps || cover.source;
      broader = broader || cover.target;
    }
  }
  if (keeps) return WordRelation::kKeepsAll;
  return broader ? WordRelation::kBroader : WordRelation::kApart;
}

Likeness RowNameLikeness(const MatchContext& context, const NameProfile& row, size_t target) {
  Likeness best;
  if (row.empty()) return best;
  const ClassNames& t = context.target_names[target];
  for (const NameProfile* name : {&t.key, &t.label}) {
    const Likeness likeness = ClassLikeness(context, row, *name);
    if (likeness.score > best.score) best = likeness;
  }
  if (best.score > 0) best.signals |= kSignalRow;
  return best;
}
