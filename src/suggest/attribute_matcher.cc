#include "suggest/attribute_matcher.h"

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "suggest/class_matcher.h"
#include "suggest/global_assignment.h"
#include "suggest/name_similarity.h"

namespace {

constexpr double kElsewhere = 0.7;       // an attribute of an unrelated class counts this much
constexpr double kHomeShare = 0.25;      // of an in-class score that depends on the class match
constexpr double kLookElsewhereBelow = 0.8;
constexpr size_t kMostPerWord = 50;
constexpr size_t kMostElsewhere = 60;
constexpr double kLaterHome = 0.9;  // a class's second or third candidate
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

// The attributes of a home class and its ancestors by word, so that an item
// is compared only with those that share a word or a linked word with it:
// the others would score nothing. Items of one class share their home, so
// the index is kept until the home changes.
class HomeIndex {
 public:
  void Build(const MatchContext& context, int home) {
    if (home == home_) return;
    home_ = home;
    by_word_.clear();
    refs_.clear();
    if (home < 0) return;
    for (uint32_t c : context.target_tree.Lineage(home)) {
      const std::vector<ClassNames>& names = context.target_attributes[c].names;
      for (size_t a = 0; a < names.size(); ++a) {
        const auto at = static_cast<uint32_t>(refs_.size());
        refs_.emplace_back(c, static_cast<uint32_t>(a));
        for (const NameProfile* p : {&names[a].label, &names[a].key}) {
          for (uint32_t word : p->words) by_word_.emplace_back(word, at);
        }
      }
    }
    std::sort(by_word_.begin(), by_word_.end());
  }

  // The attributes sharing a word with the item, each once.
  void Sharing(const MatchContext& context, const ClassNames& item, std::vector<AttributeRef>& refs) const {
    std::vector<uint32_t> hits;
    auto add = [&](uint32_t word) {
      auto at = std::lower_bound(by_word_.begin(), by_word_.end(), std::make_pair(word, 0u));
      for (; at != by_word_.end() && at->first == word; ++at) hits.push_back(at->second);
    };
    for (const NameProfile* p : {&item.label, &item.key}) {
      for (uint32_t word : p->words) {
        add(word);
        for (const WordLink& link : context.attribute_links.From(word)) add(link.to);
      }
    }
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    refs.clear();
    for (uint32_t at : hits) refs.push_back(refs_[at]);
  }

 private:
  int home_ = -2;
  std::vector<std::pair<uint32_t, uint32_t>> by_word_;  // word, attribute; sorted
  std::vector<AttributeRef> refs_;
};

// Returns the best likeness of names found at home.
double LookAtHome(const MatchContext& context, const HomeIndex& index, const ClassNames& item,
                  const ClassImage& home, bool first, Ranking& ranking) {
  double best = 0;
  static thread_local std::vector<AttributeRef> sharing;
  index.Sharing(context, item, sharing);
  for (const auto& [c, a] : sharing) {
    const Likeness likeness = AttributeLikeness(context, item, context.target_attributes[c].names[a]);
    const double score =
        likeness.score * (1.0 - kHomeShare + kHomeShare * home.confidence) * (first ? 1.0 : kLaterHome);
    ranking.Offer({c, a, score, likeness.signals | (first ? uint32_t{kSignalClass} : 0u)});
    best = std::max(best, likeness.score);
  }
  return best;
}

// The rarest words first, and a bounded number of attributes in all: the
// cost per item stays fixed however large the dictionaries.
void LookElsewhere(const MatchContext& context, const AttributeIndex& index, const ClassNames& item,
                   Ranking& ranking) {
  std::vector<uint32_t> words = item.label.words;
  for (uint32_t word : item.label.words) {
    for (const WordLink& link : context.attribute_links.From(word)) words.push_back(link.to);
  }
  std::sort(words.begin(), words.end(), [&](uint32_t a, uint32_t b) {
    const size_t fa = context.attribute_weights.Frequency(a), fb = context.attribute_weights.Frequency(b);
    return fa != fb ? fa < fb : a < b;
  });
  size_t looked = 0;
  for (uint32_t word : words) {
    for (const auto& [c, a] : index.With(word)) {
      if (looked++ >= kMostElsewhere) return;
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
                                                 const std::vector<std::vector<ClassImage>>& homes) {
  const AttributeIndex index(context);
  std::vector<HomeIndex> home_indexes;
  std::vector<std::vector<AttributeCandidate>> ranked;
  for (const AttributeItem& item : context.input.attribute_items) {
    const ClassNames& names = context.source_attributes[item.source_class].names[item.source_attribute];
    Ranking ranking;
    const std::vector<ClassImage>& places = homes[item.source_class];
    if (home_indexes.size() < places.size()) home_indexes.resize(places.size());
    double at_home = 0;
    for (size_t h = 0; h < places.size(); ++h) {
      home_indexes[h].Build(context, places[h].target);
      at_home = std::max(at_home, LookAtHome(context, home_indexes[h], names, places[h], h == 0, ranking));
    }
    if (at_home < kLookElsewhereBelow) LookElsewhere(context, index, names, ranking);
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
