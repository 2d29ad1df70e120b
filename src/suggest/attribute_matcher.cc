#include "suggest/attribute_matcher.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "suggest/class_matcher.h"
#include "suggest/global_assignment.h"
#include "suggest/name_similarity.h"

namespace {

constexpr double kElsewhere = 0.7;       // an attribute of an unrelated class counts this much
constexpr double kHomeShare = 0.25;      // of an in-class score that depends on the class match
constexpr double kLookElsewhereBelow = 0.8;
constexpr size_t kMostPerWord = 100;
constexpr size_t kKeptForAssignment = 10;

using AttributeRef = std::pair<uint32_t, uint32_t>;  // target class, attribute

class AttributeIndex {
 public:
  explicit AttributeIndex(const MatchContext& context) : postings_(context.vocabulary.size()) {
    std::vector<std::pair<double, AttributeRef>> all;
    for (size_t c = 0; c < context.target_attributes.size(); ++c) {
      const std::vector<ClassNames>& names = context.target_attributes[c].names;
      for (size_t a = 0; a < names.size(); ++a) {
        all.emplace_back(context.attribute_weights.Sum(names[a].label.words),
                         AttributeRef{static_cast<uint32_t>(c), static_cast<uint32_t>(a)});
      }
    }
    std::stable_sort(all.begin(), all.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    for (const auto& [heft, ref] : all) {
      for (uint32_t word : context.target_attributes[ref.first].names[ref.second].label.words) {
        if (postings_[word].size() < kMostPerWord) postings_[word].push_back(ref);
      }
    }
  }
  const std::vector<AttributeRef>& With(uint32_t word) const { return postings_[word]; }

 private:
  std::vector<std::vector<AttributeRef>> postings_;
};

Likeness AttributeLikeness(const MatchContext& context, const ClassNames& s, const ClassNames& t) {
  Likeness best;
  auto consider = [&](const NameProfile& a, const NameProfile& b, uint32_t signal) {
    Likeness likeness = NameLikeness(a, b, context.attribute_weights, context.attribute_links);
    likeness.signals |= signal;
    if (likeness.score > best.score) best = likeness;
  };
  if (context.Uses(kSignalLabel)) {
    consider(s.label, t.label, kSignalLabel);
    if (!s.bare.words.empty()) consider(s.bare, t.label, kSignalLabel);
    if (!t.bare.words.empty()) consider(s.label, t.bare, kSignalLabel);
  }
  if (context.Uses(kSignalKey) && (s.key_differs || t.key_differs)) consider(s.key, t.key, kSignalKey);
  return best;
}

struct Ranking {
  std::vector<AttributeCandidate> candidates;

  void Offer(const AttributeCandidate& candidate) {
    if (candidate.score > 0) candidates.push_back(candidate);
  }

  // Best first; an attribute offered twice (at home and elsewhere) keeps its best offer.
  void Rank() {
    std::sort(candidates.begin(), candidates.end(), [](const AttributeCandidate& a, const AttributeCandidate& b) {
      if (a.score != b.score) return a.score > b.score;
      return std::tie(a.target_class, a.target_attribute) < std::tie(b.target_class, b.target_attribute);
    });
    std::vector<AttributeCandidate> kept;
    for (const AttributeCandidate& c : candidates) {
      const bool seen = std::any_of(kept.begin(), kept.end(), [&](const AttributeCandidate& k) {
        return k.target_class == c.target_class && k.target_attribute == c.target_attribute;
      });
      if (!seen) kept.push_back(c);
      if (kept.size() == kKeptForAssignment) break;
    }
    candidates = std::move(kept);
  }
};

void LookAtHome(const MatchContext& context, const ClassNames& item, const ClassImage& home, Ranking& ranking) {
  if (home.target < 0) return;
  for (uint32_t c : context.target_tree.Lineage(home.target)) {
    const std::vector<ClassNames>& names = context.target_attributes[c].names;
    for (size_t a = 0; a < names.size(); ++a) {
      const Likeness likeness = AttributeLikeness(context, item, names[a]);
      const double score = likeness.score * (1.0 - kHomeShare + kHomeShare * home.confidence);
      ranking.Offer({c, a, score, likeness.signals | kSignalClass});
    }
  }
}

void LookElsewhere(const MatchContext& context, const AttributeIndex& index, const ClassNames& item,
                   Ranking& ranking) {
  std::vector<uint32_t> words = item.label.words;
  for (uint32_t word : item.label.words) {
    for (const WordLink& link : context.attribute_links.From(word)) words.push_back(link.to);
  }
  for (uint32_t word : words) {
    for (const auto& [c, a] : index.With(word)) {
      const Likeness likeness = AttributeLikeness(context, item, context.target_attributes[c].names[a]);
      ranking.Offer({c, a, likeness.score * kElsewhere, likeness.signals});
    }
  }
}

// The attributes compete as the classes do: a target attribute that another
// item fits better is demoted ("has_the_last_name" does not take
// "hasFirstName" from "has_the_first_name").
void AssignAttributes(const MatchContext& context, std::vector<std::vector<AttributeCandidate>>& ranked) {
  std::vector<size_t> first(context.input.target.size() + 1, 0);
  for (size_t c = 0; c < context.input.target.size(); ++c) {
    first[c + 1] = first[c] + context.input.target[c].attributes.size();
  }
  std::vector<std::vector<ClassCandidate>> flat(ranked.size());
  for (size_t i = 0; i < ranked.size(); ++i) {
    for (size_t k = 0; k < ranked[i].size(); ++k) {
      const AttributeCandidate& c = ranked[i][k];
      // The evidence field carries the candidate's place meanwhile.
      flat[i].push_back({first[c.target_class] + c.target_attribute, c.score, static_cast<uint32_t>(k)});
    }
  }
  AssignGlobally(flat, std::vector<bool>(first.back(), false), first.back());
  for (size_t i = 0; i < ranked.size(); ++i) {
    std::vector<AttributeCandidate> reordered;
    for (const ClassCandidate& c : flat[i]) {
      AttributeCandidate candidate = ranked[i][c.evidence & ~kSignalAssignment];
      if (c.score < candidate.score) candidate.evidence |= kSignalAssignment;
      candidate.score = c.score;
      reordered.push_back(candidate);
    }
    ranked[i] = std::move(reordered);
  }
}

}  // namespace

std::vector<AttributeSuggestion> MatchAttributes(const MatchContext& context,
                                                 const std::vector<ClassImage>& homes) {
  const AttributeIndex index(context);
  std::vector<std::vector<AttributeCandidate>> ranked;
  for (const AttributeItem& item : context.input.attribute_items) {
    const ClassNames& names = context.source_attributes[item.source_class].names[item.source_attribute];
    Ranking ranking;
    LookAtHome(context, names, homes[item.source_class], ranking);
    const bool found_home = std::any_of(ranking.candidates.begin(), ranking.candidates.end(),
                                        [](const auto& c) { return c.score >= kLookElsewhereBelow; });
    if (!found_home) LookElsewhere(context, index, names, ranking);
    ranking.Rank();
    ranked.push_back(std::move(ranking.candidates));
  }
  if (context.Uses(kSignalAssignment)) AssignAttributes(context, ranked);
  std::vector<AttributeSuggestion> suggestions;
  for (size_t i = 0; i < ranked.size(); ++i) {
    std::vector<double> scores;
    for (const AttributeCandidate& c : ranked[i]) scores.push_back(c.score);
    AttributeSuggestion suggestion{context.input.attribute_items[i], std::move(ranked[i]), false};
    suggestion.accepted =
        ClearlyFirst(scores, context.options.attribute_min_score, context.options.margin);
    if (suggestion.candidates.size() > context.options.top) suggestion.candidates.resize(context.options.top);
    suggestions.push_back(std::move(suggestion));
  }
  return suggestions;
}
