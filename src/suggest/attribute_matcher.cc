#include "suggest/attribute_matcher.h"

#include <algorithm>
#include <deque>
#include <tuple>
#include <unordered_map>
#include <utility>

#include "suggest/acceptance.h"
#include "suggest/class_matcher.h"
#include "suggest/global_assignment.h"
#include "suggest/item_runs.h"
#include "suggest/likeness_memo.h"
#include "suggest/name_similarity.h"

using AttributeRef = std::pair<uint32_t, uint32_t>;  // target class, attribute

class AttributeWordIndex {
 public:
  explicit AttributeWordIndex(const MatchContext& context) : postings_(context.vocabulary.size()) {
    std::vector<std::pair<double, AttributeRef>> all;
    for (size_t c = 0; c < context.target_attributes.size(); ++c) {
      if (!context.target_tree.Reachable(c)) continue;  // no row can name it
      const std::vector<ClassNames>& names = context.target_attributes[c].names;
      for (size_t a = 0; a < names.size(); ++a) {
        all.emplace_back(context.attribute_weights.Sum(names[a].label.words()),
                         AttributeRef{static_cast<uint32_t>(c), static_cast<uint32_t>(a)});
      }
    }
    std::stable_sort(all.begin(), all.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    for (const auto& [heft, ref] : all) {
      for (uint32_t word : context.target_attributes[ref.first].names[ref.second].label.words()) {
        if (postings_[word].size() < context.weights.attributes.most_per_word)
          postings_[word].push_back(ref);
      }
    }
  }
  const std::vector<AttributeRef>& With(uint32_t word) const { return postings_[word]; }

 private:
  std::vector<std::vector<AttributeRef>> postings_;
};

namespace {

Likeness AttributeLikeness(const MatchContext& context, const ClassNames& s, const ClassNames& t) {
  Likeness best;
  auto consider = [&](const NameProfile& a, const NameProfile& b, uint32_t signal) {
    if (best.score >= 1.0) return;  // nothing replaces an equal name
    Likeness likeness = NameLikeness(a, b, context.attribute_weights, context.attribute_links,
                                     context.weights.names);
    likeness.signals |= signal;
    if (likeness.score > best.score) best = likeness;
  };
  if (context.Uses(kSignalLabel)) {
    consider(s.label, t.label, kSignalLabel);
    if (!s.bare.empty()) consider(s.bare, t.label, kSignalLabel);
    if (!t.bare.empty()) consider(s.label, t.bare, kSignalLabel);
  }
  if (context.Uses(kSignalKey) && (s.key_differs || t.key_differs))
    consider(s.key, t.key, kSignalKey);
  return best;
}

// One item's offers, at most a few kept for the assignment, best first.
struct Ranking {
  std::vector<AttributeCandidate> candidates;

  void Offer(const AttributeCandidate& candidate) {
    if (candidate.score > 0) candidates.push_back(candidate);
  }

  // Appends the kept offers to `claims`; an attribute offered twice (at home
  // and elsewhere) keeps its best offer.
  void Keep(const std::vector<size_t>& first, size_t kept, std::vector<Claim>& claims) {
    std::sort(candidates.begin(), candidates.end(),
              [](const AttributeCandidate& a, const AttributeCandidate& b) {
                if (a.score != b.score) return a.score > b.score;
                return std::tie(a.target_class, a.target_attribute) <
                       std::tie(b.target_class, b.target_attribute);
              });
    const size_t start = claims.size();
    for (const AttributeCandidate& c : candidates) {
      const auto target = static_cast<uint32_t>(first[c.target_class] + c.target_attribute);
      const bool seen =
          std::any_of(claims.begin() + static_cast<std::ptrdiff_t>(start), claims.end(),
                      [&](const Claim& k) { return k.target == target; });
      if (!seen) claims.push_back(Claim{c.score, target, c.evidence});
      if (claims.size() - start == kept) break;
    }
    candidates.clear();
  }
};

// Every target attribute numbered in one sequence, class by class: `first[c]`
// is the number of class c's first attribute.
std::vector<size_t> FirstAttributes(const MatchContext& context) {
  std::vector<size_t> first(context.input.target.size() + 1, 0);
  for (size_t c = 0; c < context.input.target.size(); ++c) {
    first[c + 1] = first[c] + context.input.target[c].attributes.size();
  }
  return first;
}

// The attributes of a home class and its ancestors by word, so that an item
// is compared only with those that share a word or a linked word with it:
// the others would score nothing. Items of one class share their home, so
// the index is kept until the home changes. A home is rebuilt for every
// class, so the build is linear: each word's attributes lie in one run of a
// flat array, placed by counting rather than sorting.
class HomeIndex {
 public:
  void Build(const MatchContext& context, int home) {
    if (home == home_) return;
    home_ = home;
    refs_.clear();
    steps_.clear();
    held_.clear();
    exact_.clear();
    ++build_;
    if (home < 0) return;
    if (stamp_.size() < context.vocabulary.size()) {
      stamp_.resize(context.vocabulary.size(), 0);
      run_.resize(context.vocabulary.size());
    }
    const std::vector<uint32_t> lineage = context.target_tree.Lineage(home);
    // Counts each word's entries (a word both a label and its key hold is
    // entered twice, as the item's limit counts it) ...
    ForEachEntry(context, lineage, [&](uint32_t word, uint32_t) {
      if (stamp_[word] != build_) {
        stamp_[word] = build_;
        run_[word] = Run{0, 0};
        held_.push_back(word);
      }
      ++run_[word].size;
    });
    // ... gives each word its run, then fills the runs in attribute order.
    uint32_t next = 0;
    for (uint32_t word : held_) {
      run_[word].begin = next;
      next += run_[word].size;
      run_[word].size = 0;
    }
    entries_.resize(next);
    ForEachEntry(context, lineage, [&](uint32_t word, uint32_t at) {
      Run& run = run_[word];
      entries_[run.begin + run.size++] = at;
    });
    std::sort(exact_.begin(), exact_.end());
  }

  // The attributes the item is compared with, each once: every one whose
  // label or key reads as the item's label or key; then those sharing its
  // own words, its rarest words first, and a bounded number of them, so that
  // a word every attribute of a deep lineage holds does not make each item
  // compare with all of them; then, fewer, those sharing only a linked word.
  void Sharing(const MatchContext& context, const ClassNames& item,
               std::vector<AttributeRef>& refs) const {
    static thread_local std::vector<uint32_t> hits;
    hits.clear();
    for (uint32_t compact : {item.label.compact, item.key.compact}) {
      if (compact == NameProfile::kNoCompact) continue;
      const auto [begin, end] =
          std::equal_range(exact_.begin(), exact_.end(), std::pair<uint32_t, uint32_t>{compact, 0},
                           [](const auto& a, const auto& b) { return a.first < b.first; });
      for (auto it = begin; it != end; ++it) hits.push_back(it->second);
    }
    TakeSharing(context, item, false, hits.size() + context.weights.attributes.most_at_home, hits);
    TakeSharing(context, item, true, hits.size() + context.weights.attributes.most_linked_at_home,
                hits);
    std::sort(hits.begin(), hits.end());
    hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
    refs.clear();
    for (uint32_t at : hits) refs.push_back(refs_[at]);
  }

  // How many classes up from the home an attribute sits.
  int StepsUp(const AttributeRef& ref) const {
    for (size_t i = 0; i < steps_.size(); ++i) {
      if (steps_[i] == ref.first) return static_cast<int>(i);
    }
    return 0;
  }

 private:
  struct Run {
    uint32_t begin = 0;
    uint32_t size = 0;
  };

  // Adds to `hits`, up to `most`, the attributes holding the item's own
  // words (or, with `linked`, the words linked to them), rarest words first.
  void TakeSharing(const MatchContext& context, const ClassNames& item, bool linked, size_t most,
                   std::vector<uint32_t>& hits) const {
    static thread_local std::vector<uint32_t> words;
    words.clear();
    // Only the words the home holds can bring attributes: the others
    // (most of a word's spelling links) are left out at once.
    size_t entries = 0;
    auto take = [&](uint32_t word) {
      if (!Holds(word) || std::find(words.begin(), words.end(), word) != words.end()) return;
      words.push_back(word);
      entries += run_[word].size;
    };
    for (const NameProfile* p : {&item.label, &item.key}) {
      for (uint32_t word : p->words()) {
        if (!linked) {
          take(word);
          continue;
        }
        context.attribute_links.ForEachLinked(word, take);
      }
    }
    // The order matters only when the limit leaves some attributes out.
    if (hits.size() + entries > most) {
      std::sort(words.begin(), words.end(), [&](uint32_t a, uint32_t b) {
        const size_t fa = context.attribute_weights.Frequency(a),
                     fb = context.attribute_weights.Frequency(b);
        return fa != fb ? fa < fb : a < b;
      });
    }
    for (uint32_t word : words) {
      const Run& run = run_[word];
      for (uint32_t k = 0; k < run.size && hits.size() < most; ++k)
        hits.push_back(entries_[run.begin + k]);
    }
  }

  // Calls visit(word, attribute number) for each word of each attribute's
  // label and key, the home's attributes first, then its ancestors'; numbers
  // the attributes in that order on the first pass, and notes what each
  // attribute's label and key read as.
  template <typename Visit>
  void ForEachEntry(const MatchContext& context, const std::vector<uint32_t>& lineage,
                    Visit visit) {
    const bool numbering = refs_.empty();
    uint32_t at = 0;
    for (uint32_t c : lineage) {
      if (numbering) steps_.push_back(c);
      const std::vector<ClassNames>& names = context.target_attributes[c].names;
      for (size_t a = 0; a < names.size(); ++a, ++at) {
        if (numbering) {
          refs_.emplace_back(c, static_cast<uint32_t>(a));
          exact_.emplace_back(names[a].label.compact, at);
          if (names[a].key_differs) exact_.emplace_back(names[a].key.compact, at);
        }
        for (const NameProfile* p : {&names[a].label, &names[a].key}) {
          for (uint32_t word : p->words()) visit(word, at);
        }
      }
    }
  }

  bool Holds(uint32_t word) const { return word < stamp_.size() && stamp_[word] == build_; }

  int home_ = -2;
  uint32_t build_ = 0;
  std::vector<uint32_t> stamp_;    // per word: the build that last held it
  std::vector<Run> run_;           // per word held: its run in entries_
  std::vector<uint32_t> held_;     // the words held, in the order first met
  std::vector<uint32_t> entries_;  // attribute numbers, word by word
  std::vector<AttributeRef> refs_;
  std::vector<uint32_t> steps_;                       // the lineage, the home first
  std::vector<std::pair<uint32_t, uint32_t>> exact_;  // compact name, attribute number; sorted
};

// Returns the best likeness of names found at home. With a sure home, the
// one attribute that reads exactly as the item in the nearest class that
// has such an attribute is marked: it is accepted unless another item takes it.
double LookAtHome(const MatchContext& context, const HomeIndex& index, const ClassNames& item,
                  const ClassImage& home, bool first, LikenessMemo& memo, Ranking& ranking) {
  double best = 0;
  static thread_local std::vector<AttributeRef> sharing;
  index.Sharing(context, item, sharing);
  const size_t offered = ranking.candidates.size();
  int nearest_exact = context.weights.attributes.furthest_step + 1;
  size_t exact_at = 0, exact_count = 0;
  for (const auto& ref : sharing) {
    const auto& [c, a] = ref;
    const ClassNames& target = context.target_attributes[c].names[a];
    const Likeness likeness =
        memo.Get(item, target, [&] { return AttributeLikeness(context, item, target); });
    const int steps = std::min(index.StepsUp(ref), context.weights.attributes.furthest_step);
    const AttributeScoring& weights = context.weights.attributes;
    const double score = likeness.score *
                         (1.0 - weights.home_share + weights.home_share * home.confidence) *
                         (first ? 1.0 : weights.later_home) * (1.0 - weights.ancestor_step * steps);
    if (likeness.score >= 1.0 && steps <= nearest_exact) {
      exact_count = steps < nearest_exact ? 1 : exact_count + 1;
      nearest_exact = steps;
      exact_at = ranking.candidates.size();
    }
    ranking.Offer({c, a, score, likeness.signals | (first ? uint32_t{kSignalClass} : 0u)});
    best = std::max(best, likeness.score);
  }
  if (first && home.settled && exact_count == 1 && exact_at >= offered &&
      exact_at < ranking.candidates.size()) {
    ranking.candidates[exact_at].evidence |= kMarkExact;
  }
  return best;
}

// The rarest words first, and a bounded number of attributes in all: the
// cost per item stays fixed however large the dictionaries.
void LookElsewhere(const MatchContext& context, const AttributeWordIndex& index,
                   const ClassNames& item, LikenessMemo& memo, Ranking& ranking) {
  std::vector<uint32_t> words(item.label.words().begin(), item.label.words().end());
  for (uint32_t word : item.label.words()) {
    context.attribute_links.ForEachLinked(word, [&](uint32_t to) { words.push_back(to); });
  }
  std::sort(words.begin(), words.end(), [&](uint32_t a, uint32_t b) {
    const size_t fa = context.attribute_weights.Frequency(a),
                 fb = context.attribute_weights.Frequency(b);
    return fa != fb ? fa < fb : a < b;
  });
  size_t looked = 0;
  for (uint32_t word : words) {
    for (const auto& [c, a] : index.With(word)) {
      if (looked++ >= context.weights.attributes.most_elsewhere) return;
      const ClassNames& target = context.target_attributes[c].names[a];
      const Likeness likeness =
          memo.Get(item, target, [&] { return AttributeLikeness(context, item, target); });
      ranking.Offer(
          {c, a, likeness.score * context.weights.attributes.elsewhere, likeness.signals});
    }
  }
}

// The attributes compete as the classes do: a target attribute that another
// item fits better counts against accepting it ("has_the_last_name" does not
// take "hasFirstName" from "has_the_first_name"). Unlike for classes, the
// ranking stays the names': the demotions cost more places at 5 than the
// acceptances they prevent are worth.
std::vector<Contest> AssignAttributes(const std::vector<size_t>& first, std::deque<Claim>& claims,
                                      const std::vector<size_t>& starts,
                                      const AssignmentRules& rules, std::vector<int32_t>& takers) {
  std::vector<Contest> contests;
  AssignClaims(claims, starts, std::vector<uint32_t>(first.back(), 0), first.back(), rules,
               &contests, &takers);
  return contests;
}

AttributeCandidate Candidate(const std::vector<size_t>& first, const Claim& claim) {
  const auto after = std::upper_bound(first.begin(), first.end(), size_t{claim.target});
  const auto c = static_cast<size_t>(after - first.begin()) - 1;
  return AttributeCandidate{static_cast<uint32_t>(c),
                            static_cast<uint32_t>(claim.target - first[c]), claim.score,
                            claim.evidence};
}

// One thread's share of the ranking, kept from batch to batch: its home
// indexes and remembered likenesses stay of use, and its claims of one
// batch wait in `claims` until they join the others in item order.
struct RankWorker {
  std::vector<HomeIndex> home_indexes;
  Ranking ranking;
  LikenessMemo memo;
  std::vector<Claim> claims;
  std::vector<uint32_t> counts;  // per item of the batch, how many claims it made
};

// One item's claims, looking in `places` first, then, where `elsewhere`,
// in other classes where they hold too little.
void RankItem(const MatchContext& context, const AttributeWordIndex& index,
              const std::vector<size_t>& first, const std::vector<ClassImage>& places,
              size_t item_number, bool elsewhere, RankWorker& worker) {
  const AttributeItem& item = context.input.attribute_items[item_number];
  const ClassNames& names =
      context.source_attributes[item.source_class].names[item.source_attribute];
  if (worker.home_indexes.size() < places.size()) worker.home_indexes.resize(places.size());
  double at_home = 0;
  for (size_t h = 0; h < places.size(); ++h) {
    worker.home_indexes[h].Build(context, places[h].target);
    at_home = std::max(at_home, LookAtHome(context, worker.home_indexes[h], names, places[h],
                                           h == 0, worker.memo, worker.ranking));
  }
  if (elsewhere && at_home < context.weights.attributes.look_elsewhere_below)
    LookElsewhere(context, index, names, worker.memo, worker.ranking);
  const size_t before = worker.claims.size();
  worker.ranking.Keep(first, context.weights.attributes.kept_for_assignment, worker.claims);
  worker.counts.push_back(static_cast<uint32_t>(worker.claims.size() - before));
}

void RankItems(const MatchContext& context, const AttributeWordIndex& index,
               const std::vector<size_t>& first, const std::vector<std::vector<ClassImage>>& homes,
               size_t begin, size_t end, RankWorker& worker) {
  worker.claims.clear();
  worker.counts.clear();
  for (size_t i = begin; i < end; ++i) {
    RankItem(context, index, first, homes[context.input.attribute_items[i].source_class], i, true,
             worker);
  }
}

// What the acceptance reads of an item's first claim (the claims of the
// item are at the front): with the assignment in use, the scores are those
// the contest gives once the demotions are counted.
FirstCandidate DescribeFirst(const RankedAttributes& ranked, size_t item, size_t count) {
  const Claim& front = ranked.claims.front();
  FirstCandidate first;
  first.attribute = true;
  first.score = front.score;
  if (count > 1) first.runner_up = ranked.claims[1].score;
  if (!ranked.contests.empty()) {
    const Contest& contest = ranked.contests[item];
    first.score = contest.first;
    first.runner_up = contest.second;
    first.contested = !contest.same_first;
  }
  first.evidence = front.evidence;
  if ((front.evidence & kSignalAssignment) != 0) first.held_by = HeldBy::kItem;
  first.own_name = (front.evidence & kMarkExact) != 0;
  first.outside_home = item < ranked.settled_home.size() && ranked.settled_home[item] &&
                       (front.evidence & kSignalClass) == 0;
  first.mutual = front.target < ranked.takers.size() &&
                 ranked.takers[front.target] == static_cast<int32_t>(item);
  return first;
}

}  // namespace

// The items go in batches, each shared among the workers, so that the
// claims waiting to join stay few: the claims of all items are the largest
// thing the matcher holds, and must not be held twice.
std::shared_ptr<const AttributeWordIndex> IndexAttributeWords(const MatchContext& context) {
  return std::make_shared<const AttributeWordIndex>(context);
}

RankedAttributes RankAttributes(const MatchContext& context,
                                const std::vector<std::vector<ClassImage>>& homes) {
  return RankAttributes(context, AttributeWordIndex(context), homes);
}

RankedAttributes RankAttributes(const MatchContext& context, const AttributeWordIndex& index,
                                const std::vector<std::vector<ClassImage>>& homes) {
  constexpr size_t kBatch = 16384;
  constexpr size_t kLeastPerRun = 4096;
  RankedAttributes ranked;
  ranked.first = FirstAttributes(context);
  const size_t items = context.input.attribute_items.size();
  std::vector<RankWorker> workers(RunsFor(items, kLeastPerRun, context.options.runs));
  ranked.starts.reserve(items + 1);
  ranked.starts.push_back(0);
  for (size_t batch = 0; batch < items; batch += kBatch) {
    const size_t size = std::min(kBatch, items - batch);
    ForEachRun(size, workers.size(), [&](size_t run, size_t begin, size_t end) {
      RankItems(context, index, ranked.first, homes, batch + begin, batch + end, workers[run]);
    });
    for (size_t i = batch; i < batch + size; ++i) {
      const std::vector<ClassImage>& places = homes[context.input.attribute_items[i].source_class];
      ranked.settled_home.push_back(!places.empty() && places[0].settled);
    }
    for (const RankWorker& worker : workers) {
      for (uint32_t count : worker.counts) ranked.starts.push_back(ranked.starts.back() + count);
      ranked.claims.insert(ranked.claims.end(), worker.claims.begin(), worker.claims.end());
    }
  }
  if (context.Uses(kSignalAssignment)) {
    ranked.contests = AssignAttributes(ranked.first, ranked.claims, ranked.starts,
                                       context.weights.assignment, ranked.takers);
  }
  return ranked;
}

RankedAttributes RankSomeAttributes(const MatchContext& context, const AttributeWordIndex& index,
                                    const std::vector<size_t>& first,
                                    const std::vector<size_t>& items,
                                    const std::vector<ClassImage>& homes) {
  RankedAttributes ranked;
  RankWorker worker;
  ranked.starts.push_back(0);
  for (size_t item : items) {
    RankItem(context, index, first, homes, item, false, worker);
    ranked.starts.push_back(ranked.starts.back() + worker.counts.back());
  }
  ranked.claims.assign(worker.claims.begin(), worker.claims.end());
  return ranked;
}

void ContestAttributes(const MatchContext& context, RankedAttributes& ranked) {
  if (context.Uses(kSignalAssignment)) {
    ranked.contests = AssignAttributes(ranked.first, ranked.claims, ranked.starts,
                                       context.weights.assignment, ranked.takers);
  }
}

std::vector<AttributeSuggestion> SuggestAttributes(RankedAttributes ranked,
                                                   const std::vector<AttributeItem>& items,
                                                   const SuggestOptions& options) {
  const std::vector<size_t>& starts = ranked.starts;
  std::deque<Claim>& claims = ranked.claims;
  std::vector<AttributeSuggestion> suggestions;
  suggestions.reserve(items.size());
  // Each item's claims are released once read: the suggestions take their place.
  for (size_t i = 0; i + 1 < starts.size() && i < items.size(); ++i) {
    AttributeSuggestion suggestion{items[i], {}, false};
    if (starts[i] < starts[i + 1]) {
      const FirstCandidate first = DescribeFirst(ranked, i, starts[i + 1] - starts[i]);
      suggestion.verdict = JudgeFirstCandidate(first, options.weights.acceptance, options.signals);
      suggestion.accepted = suggestion.verdict == Acceptance::kAccepted;
    }
    const size_t shown = std::min(starts[i + 1] - starts[i], options.top);
    suggestion.candidates.reserve(shown);
    for (size_t k = 0; k < shown; ++k) {
      suggestion.candidates.push_back(Candidate(ranked.first, claims[k]));
      suggestion.candidates.back().taken_by = TakerOf(ranked.takers, claims[k]);
    }
    suggestions.push_back(std::move(suggestion));
    claims.erase(claims.begin(),
                 claims.begin() + static_cast<std::ptrdiff_t>(starts[i + 1] - starts[i]));
  }
  return suggestions;
}
