#include "suggest/class_matcher.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unordered_map>

#include "suggest/attribute_overlap.h"
#include "suggest/burying_rows.h"
#include "suggest/class_candidates.h"
#include "suggest/global_assignment.h"
#include "suggest/item_runs.h"
#include "suggest/target_claims.h"

namespace {

struct Scored {
  uint32_t target = 0;
  double names = 0;
  double attributes = -1;  // not yet measured: only leading candidates are
  uint32_t evidence = 0;
  double score = 0;
};

using Ranked = std::vector<Scored>;

void Rank(Ranked& ranked) {
  std::sort(ranked.begin(), ranked.end(), [](const Scored& a, const Scored& b) {
    return a.score != b.score ? a.score > b.score : a.target < b.target;
  });
}

// A target whose name reads as the item's own, that no better item takes,
// comes first: a candidate reached through rewritten, added or dropped
// words (a synonym, a learned rename, a broader class) never outranks it.
// Nor does a row of the table that maps another class onto it bury it
// (burying_rows.h). Whether the target is the one such candidate.
bool OwnNameFirst(const ClassCandidateIndex& index, const std::vector<size_t>& buried,
                  size_t source, std::vector<ClassCandidate>& candidates) {
  auto own = [&](const ClassCandidate& c) {
    const bool unburied = (c.evidence & kMarkTakenByRow) != 0 &&
                          std::find(buried.begin(), buried.end(), c.target) != buried.end();
    return ((c.evidence & kSignalAssignment) == 0 || unburied) &&
           index.ReadsAsOwn(source, c.target);
  };
  const auto found = std::find_if(candidates.begin(), candidates.end(), own);
  if (found == candidates.end()) return false;
  ClassCandidate first = *found;
  first.evidence &= ~(kSignalAssignment | kMarkTakenByRow);
  first.taken_by = kTakenByNone;
  first.score = std::max(first.score, candidates.front().score);
  candidates.erase(found);
  candidates.insert(candidates.begin(), first);
  return std::none_of(candidates.begin() + 1, candidates.end(), own);
}

bool Contains(const Ranked& ranked, uint32_t target) {
  return std::any_of(ranked.begin(), ranked.end(),
                     [&](const Scored& s) { return s.target == target; });
}

// The class's own names, or the name its row gives when that is closer.
Scored ScoreNames(const MatchContext& context, size_t item, uint32_t target) {
  Likeness likeness = ClassNameLikeness(context, context.input.class_items[item], target);
  const Likeness row = RowNameLikeness(context, context.item_rows[item], target);
  if (row.score > likeness.score) likeness = row;
  return Scored{target, likeness.score, -1, likeness.signals, likeness.score};
}

// The attribute sets of the leading candidates, the only ones where they
// can change the order that matters.
void MeasureOverlap(const MatchContext& context, AttributeOverlap* overlap, size_t source,
                    Ranked& ranked) {
  for (size_t k = 0; k < ranked.size(); ++k) {
    Scored& s = ranked[k];
    if (s.attributes >= 0) continue;
    s.attributes = 0;
    if (overlap == nullptr || k >= context.weights.classes.measured_overlaps) continue;
    s.attributes = overlap->Share(source, s.target);
    if (s.attributes > 0) s.evidence |= kSignalAttributes;
  }
}

void Keep(const MatchContext& context, Ranked& ranked) {
  const size_t kept = context.weights.classes.kept_between_passes;
  if (ranked.size() > kept) ranked.resize(kept);
}

void Combine(const MatchContext& context, const std::vector<ClassImage>& images, size_t source,
             Scored& s) {
  double support = 0;
  if (context.Uses(kSignalHierarchy)) support = HierarchySupport(context, images, source, s.target);
  s.evidence &= ~kSignalHierarchy;
  const ClassScoring& weights = context.weights.classes;
  if (support > weights.least_hierarchy_evidence) s.evidence |= kSignalHierarchy;
  // Names never decide alone: even equal names leave room for the other
  // signals to tell two classes of one name apart.
  const double base = weights.name_share * s.names;
  const double overlap = std::max(s.attributes, 0.0);
  double score = base + (1.0 - base) * (weights.hierarchy * std::max(support, 0.0) +
                                        weights.attributes * overlap);
  score -= weights.contradiction * std::max(-support, 0.0) * s.names;
  s.score = std::clamp(score, 0.0, 1.0);
}

std::vector<double> Scores(const Ranked& ranked) {
  std::vector<double> scores;
  for (const Scored& s : ranked) scores.push_back(s.score);
  return scores;
}

std::vector<ClassImage> Images(const MatchContext& context, const std::vector<Ranked>& ranked) {
  std::vector<ClassImage> images(context.input.source.size());
  for (size_t s = 0; s < images.size(); ++s) {
    if (context.source_anchor[s] >= 0) images[s] = ClassImage{context.source_anchor[s], 1.0, true};
  }
  for (size_t i = 0; i < ranked.size(); ++i) {
    const size_t source = context.input.class_items[i];
    if (context.source_anchor[source] >= 0 || ranked[i].empty()) continue;
    if (ClearlyFirst(Scores(ranked[i]), context.weights.classes.image_score,
                     context.weights.classes.image_lead)) {
      images[source] = ClassImage{static_cast<int>(ranked[i][0].target), ranked[i][0].score};
    }
  }
  return images;
}

bool KeepsAll(WordRelation relation) {
  return relation == WordRelation::kSame || relation == WordRelation::kKeepsAll;
}

// What the acceptance of an item's first candidate reads beyond the
// candidate itself.
struct AcceptanceInputs {
  const MatchContext& context;
  const ClassCandidateIndex& index;
  const std::vector<uint32_t>& anchored;  // per target, the rows that take it
  const std::vector<int32_t>& takers;     // per target, the item that took it
  const std::vector<ClassImage>& images;  // per source class, where it maps
  const TargetClaims& claims;
};

FirstCandidate DescribeFirst(const AcceptanceInputs& in, size_t item, bool own,
                             const ClassSuggestion& suggestion) {
  const MatchContext& context = in.context;
  const ClassCandidate& front = suggestion.candidates.front();
  const size_t source = context.input.class_items[item];
  FirstCandidate first;
  first.score = front.score;
  if (suggestion.candidates.size() > 1) first.runner_up = suggestion.candidates[1].score;
  first.evidence = front.evidence;
  if ((front.evidence & kSignalAssignment) != 0)
    first.held_by = (front.evidence & kMarkTakenByRow) != 0 ? HeldBy::kRow : HeldBy::kItem;
  first.own_name =
      first.held_by == HeldBy::kNobody && (own || in.index.OnlyExactMatch(source, front.target));
  first.mutual =
      front.target < in.takers.size() && in.takers[front.target] == static_cast<int32_t>(item);
  first.heads_meet = ClassHeadsMeet(context, source, front.target, true);
  first.heads_derived = !first.heads_meet && ClassHeadsMeet(context, source, front.target);
  first.relation = RelateWords(context, source, front.target);
  if (first.relation == WordRelation::kBroader || first.relation == WordRelation::kApart) {
    first.only_claimant = !in.claims.OthersClaim(source, front.target);
    first.hierarchy_against = HierarchySupport(context, in.images, source, front.target) < 0;
  }
  first.held_by_many_rows = front.target < in.anchored.size() && in.anchored[front.target] > 1;
  return first;
}

// Each item's suggestion: its own name first where it has one, then whether
// the first candidate is accepted, and its candidates cut to the top.
ClassMatch AcceptFirstCandidates(const AcceptanceInputs& in, const ClassCandidateIndex& index,
                                 std::vector<std::vector<ClassCandidate>>& candidates) {
  const MatchContext& context = in.context;
  const std::vector<size_t>& items = context.input.class_items;
  ClassMatch match;
  // Per item, the targets it names exactly that a burying row took.
  std::vector<std::vector<size_t>> buried(items.size());
  if (context.Uses(kSignalOwnName) && context.Uses(kSignalBuryingRows))
    match.burying_rows = FindBuryingRows(context.input);
  for (const BuryingRow& row : match.burying_rows) buried[row.item].push_back(row.target);
  for (size_t i = 0; i < items.size(); ++i) {
    ClassSuggestion suggestion{items[i], std::move(candidates[i]), false};
    const bool own = context.Uses(kSignalOwnName) &&
                     OwnNameFirst(index, buried[i], items[i], suggestion.candidates);
    if (!suggestion.candidates.empty()) {
      suggestion.verdict = JudgeFirstCandidate(DescribeFirst(in, i, own, suggestion),
                                               context.weights.acceptance, context.options.signals);
      suggestion.accepted = suggestion.verdict == Acceptance::kAccepted;
    }
    if (suggestion.candidates.size() > context.options.top)
      suggestion.candidates.resize(context.options.top);
    match.suggestions.push_back(std::move(suggestion));
  }
  return match;
}

}  // namespace

bool ClearlyFirst(const std::vector<double>& scores, double min_score, double margin) {
  if (scores.empty() || scores[0] < min_score) return false;
  return scores.size() < 2 || scores[0] - scores[1] >= margin;
}

ClassMatch MatchClasses(const MatchContext& context) {
  constexpr size_t kLeastPerRun = 1024;
  const std::vector<size_t>& items = context.input.class_items;
  const ClassCandidateIndex index(context);
  // Each run of items gathers and measures with its own scratch; the
  // items of a pass read only the images of the pass before.
  struct RunState {
    ClassCandidateIndex::Scratch scratch;
    std::unique_ptr<AttributeOverlap> overlap;
    Ranked gathered;
  };
  std::vector<RunState> states(RunsFor(items.size(), kLeastPerRun, context.options.runs));
  for (RunState& state : states) {
    if (context.Uses(kSignalAttributes))
      state.overlap = std::make_unique<AttributeOverlap>(context);
  }
  std::vector<Ranked> ranked(items.size());
  std::vector<ClassImage> images = Images(context, {});  // the table's rows alone
  ForEachRun(items.size(), states.size(), [&](size_t run, size_t begin, size_t end) {
    RunState& state = states[run];
    for (size_t i = begin; i < end; ++i) {
      state.gathered.clear();
      for (uint32_t target : index.Gather(items[i], context.item_rows[i], state.scratch)) {
        state.gathered.push_back(ScoreNames(context, i, target));
      }
      Rank(state.gathered);
      Keep(context, state.gathered);
      // Only the kept candidates stay, for every item until the end: no slack.
      ranked[i].reserve(state.gathered.size());
      ranked[i].assign(state.gathered.begin(), state.gathered.end());
      MeasureOverlap(context, state.overlap.get(), items[i], ranked[i]);
      for (Scored& s : ranked[i]) Combine(context, images, items[i], s);
      Rank(ranked[i]);
    }
  });
  images = Images(context, ranked);
  for (int pass = 0; pass < context.weights.classes.passes && context.Uses(kSignalHierarchy);
       ++pass) {
    ForEachRun(items.size(), states.size(), [&](size_t run, size_t begin, size_t end) {
      for (size_t i = begin; i < end; ++i) {
        const size_t before = ranked[i].size();
        for (uint32_t target : HierarchyCandidates(context, images, items[i])) {
          if (!Contains(ranked[i], target)) ranked[i].push_back(ScoreNames(context, i, target));
        }
        if (ranked[i].size() != before) ranked[i].shrink_to_fit();
        MeasureOverlap(context, states[run].overlap.get(), items[i], ranked[i]);
        for (Scored& s : ranked[i]) Combine(context, images, items[i], s);
        Rank(ranked[i]);
      }
    });
    images = Images(context, ranked);
  }
  states.clear();
  std::vector<std::vector<ClassCandidate>> candidates(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    // Classes of one key and parent are one row's target: the first of them.
    for (size_t k = 0;
         k < ranked[i].size() && candidates[i].size() < context.weights.classes.kept_for_assignment;
         ++k) {
      const Scored& s = ranked[i][k];
      const uint32_t target = context.target_tree.RowTarget(s.target);
      if (s.score <= 0 ||
          std::any_of(candidates[i].begin(), candidates[i].end(),
                      [&](const ClassCandidate& c) { return c.target == target; })) {
        continue;
      }
      candidates[i].push_back(ClassCandidate{target, s.score, s.evidence});
    }
  }
  std::vector<uint32_t> anchored(context.input.target.size(), 0);
  for (const ClassAnchor& anchor : context.input.class_anchors) ++anchored[anchor.target];
  std::vector<int32_t> takers;
  if (context.Uses(kSignalAssignment)) {
    AssignGlobally(candidates, anchored, context.input.target.size(), context.weights.assignment,
                   &takers);
  }
  // A class whose first candidate keeps every word of its name has a place
  // of its own: it claims no other target.
  TargetClaims claims(context);
  for (size_t i = 0; i < items.size(); ++i) {
    if (!candidates[i].empty() &&
        KeepsAll(RelateWords(context, items[i], candidates[i].front().target)))
      claims.Settle(items[i], candidates[i].front().target);
  }
  const AcceptanceInputs inputs{context, index, anchored, takers, images, claims};
  ClassMatch match = AcceptFirstCandidates(inputs, index, candidates);
  match.images = Images(context, ranked);
  for (const ClassSuggestion& s : match.suggestions) {
    if (s.accepted)
      match.images[s.source] =
          ClassImage{static_cast<int>(s.candidates[0].target), s.candidates[0].score, true};
  }
  return match;
}
