#include "suggest/suggest_engine.h"

#include <algorithm>
#include <optional>

#include "suggest/attribute_matcher.h"
#include "suggest/class_matcher.h"
#include "suggest/malloc_policy.h"
#include "suggest/match_context.h"
#include "suggest/suggest_session.h"

namespace {

bool InRange(const SuggestInput& in, const AttributeItem& item) {
  return item.source_class < in.source.size() &&
         item.source_attribute < in.source[item.source_class].attributes.size();
}

bool InRange(const SuggestInput& in, const ClassAnchor& a) {
  return a.source < in.source.size() && a.target < in.target.size();
}

bool InRange(const SuggestInput& in, const AttributeAnchor& a) {
  return InRange(in, AttributeItem{a.source_class, a.source_attribute}) &&
         a.target_class < in.target.size() &&
         a.target_attribute < in.target[a.target_class].attributes.size();
}

template <typename Anchor>
bool AllInRange(const SuggestInput& in, const std::vector<Anchor>& anchors) {
  return std::all_of(anchors.begin(), anchors.end(),
                     [&](const Anchor& a) { return InRange(in, a); });
}

template <typename Anchor>
void KeepInRange(const SuggestInput& in, const std::vector<Anchor>& anchors,
                 std::vector<Anchor>& kept) {
  for (const Anchor& a : anchors) {
    if (InRange(in, a)) kept.push_back(a);
  }
}

bool AllInRange(const SuggestInput& in) {
  if (!AllInRange(in, in.class_anchors) || !AllInRange(in, in.attribute_anchors)) {
    return false;
  }
  for (size_t s : in.class_items) {
    if (s >= in.source.size()) return false;
  }
  if (!in.class_item_rows.empty() && in.class_item_rows.size() != in.class_items.size())
    return false;
  return std::all_of(in.attribute_items.begin(), in.attribute_items.end(),
                     [&](const AttributeItem& item) { return InRange(in, item); });
}

SuggestInput WithoutStrays(const SuggestInput& in) {
  SuggestInput out;
  out.names = in.names;  // the classes' names stay where they are
  out.source = in.source;
  out.target = in.target;
  KeepInRange(in, in.class_anchors, out.class_anchors);
  KeepInRange(in, in.attribute_anchors, out.attribute_anchors);
  const bool rows = in.class_item_rows.size() == in.class_items.size();
  for (size_t i = 0; i < in.class_items.size(); ++i) {
    if (in.class_items[i] >= in.source.size()) continue;
    out.class_items.push_back(in.class_items[i]);
    if (rows) out.class_item_rows.push_back(in.class_item_rows[i]);
  }
  for (const AttributeItem& item : in.attribute_items) {
    if (InRange(in, item)) out.attribute_items.push_back(item);
  }
  return out;
}

// A class with no sure target lends its best candidates to its attributes.
std::vector<std::vector<ClassImage>> AttributeHomes(const ClassMatch& match,
                                                    const AttributeScoring& weights) {
  std::vector<std::vector<ClassImage>> homes(match.images.size());
  for (size_t s = 0; s < homes.size(); ++s) {
    if (match.images[s].target >= 0) homes[s].push_back(match.images[s]);
  }
  for (const ClassSuggestion& s : match.suggestions) {
    if (s.accepted) continue;
    for (size_t k = 0; k < s.candidates.size() && k < weights.guessed_homes; ++k) {
      const ClassCandidate& c = s.candidates[k];
      if (!homes[s.source].empty() && homes[s.source][0].target == static_cast<int>(c.target))
        continue;
      homes[s.source].push_back(
          ClassImage{static_cast<int>(c.target), weights.guessed_home * c.score});
    }
  }
  return homes;
}

// The suggestions of a match whose attributes are ranked; the match context
// may be gone, its lexicon evidence kept where it holds any.
SuggestOutput Suggestions(ClassMatch& match, RankedAttributes ranked,
                          const std::shared_ptr<LexiconEvidence>& evidence,
                          const SuggestInput& input, const SuggestOptions& options) {
  SuggestOutput output;
  if (!evidence->Empty()) output.lexicon_evidence = evidence;
  output.attributes = SuggestAttributes(std::move(ranked), input.attribute_items, options);
  output.classes = std::move(match.suggestions);
  output.burying_rows = std::move(match.burying_rows);
  return output;
}

}  // namespace

SuggestOutput Suggest(const SuggestInput& input, const SuggestOptions& options) {
  SettleMallocForMatching();
  std::optional<SuggestInput> cleaned;
  if (!AllInRange(input)) cleaned = WithoutStrays(input);
  const SuggestInput& in = cleaned ? *cleaned : input;
  std::optional<MatchContext> context(std::in_place, in, options);
  ClassMatch match = MatchClasses(*context);
  RankedAttributes ranked =
      RankAttributes(*context, AttributeHomes(match, options.weights.attributes));
  const std::shared_ptr<LexiconEvidence> evidence = context->lexicon_evidence;
  // The names' profiles are read no more: the suggestions take their memory.
  context.reset();
  return Suggestions(match, std::move(ranked), evidence, in, options);
}

SuggestSession::SuggestSession(const SuggestInput& input, const SuggestOptions& options) {
  SettleMallocForMatching();
  context_ = std::make_unique<MatchContext>(input, options);
  ClassMatch match = MatchClasses(*context_);
  const std::vector<std::vector<ClassImage>> homes =
      AttributeHomes(match, options.weights.attributes);
  homes_.reserve(homes.size());
  for (const std::vector<ClassImage>& places : homes) {
    const bool settled = !places.empty() && places.front().settled;
    homes_.push_back(settled ? places.front().target : -1);
  }
  first_.assign(1, 0);
  for (const SuggestClass& c : input.target) first_.push_back(first_.back() + c.attributes.size());
  words_ = IndexAttributeWords(*context_);
  RankedAttributes ranked = RankAttributes(*context_, *words_, homes);
  output_ = Suggestions(match, std::move(ranked), context_->lexicon_evidence, input, options);
}

SuggestSession::~SuggestSession() = default;

const SuggestInput& SuggestSession::Input() const { return context_->input; }

const SuggestOptions& SuggestSession::Options() const { return context_->options; }

int SuggestSession::SettledHomeOf(size_t source) const {
  return source < homes_.size() ? homes_[source] : -1;
}

namespace {

// The claims of a few items numbered among the attributes of the classes
// they name alone, so that their contest costs what they claim, not what
// the target holds; `classes` gets those classes, in order.
void NumberLocally(const SuggestInput& input, const std::vector<size_t>& first,
                   RankedAttributes& ranked, std::vector<uint32_t>& classes) {
  auto class_of = [&](uint32_t target) {
    return static_cast<uint32_t>(std::upper_bound(first.begin(), first.end(), target) -
                                 first.begin() - 1);
  };
  for (const Claim& claim : ranked.claims) classes.push_back(class_of(claim.target));
  std::sort(classes.begin(), classes.end());
  classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
  ranked.first.assign(1, 0);
  for (uint32_t c : classes)
    ranked.first.push_back(ranked.first.back() + input.target[c].attributes.size());
  for (Claim& claim : ranked.claims) {
    const uint32_t c = class_of(claim.target);
    const auto k =
        static_cast<size_t>(std::lower_bound(classes.begin(), classes.end(), c) - classes.begin());
    claim.target = static_cast<uint32_t>(ranked.first[k] + claim.target - first[c]);
  }
}

}  // namespace

std::vector<AttributeSuggestion> SuggestSession::PlacedIn(const std::vector<size_t>& items,
                                                          size_t target) const {
  const SuggestInput& input = context_->input;
  const std::vector<ClassImage> home{ClassImage{static_cast<int>(target), 1.0, true}};
  RankedAttributes ranked = RankSomeAttributes(*context_, *words_, first_, items, home);
  std::vector<uint32_t> classes;
  NumberLocally(input, first_, ranked, classes);
  ContestAttributes(*context_, ranked);
  std::vector<AttributeItem> asked;
  for (size_t item : items) asked.push_back(input.attribute_items[item]);
  std::vector<AttributeSuggestion> placed =
      SuggestAttributes(std::move(ranked), asked, context_->options);
  for (AttributeSuggestion& suggestion : placed) {
    for (AttributeCandidate& candidate : suggestion.candidates) {
      candidate.target_class = classes[candidate.target_class];
      if (candidate.taken_by >= 0)
        candidate.taken_by = static_cast<int32_t>(items[static_cast<size_t>(candidate.taken_by)]);
    }
  }
  return placed;
}

EvidenceWords EvidenceNames(uint32_t signals) {
  static const std::pair<uint32_t, const char*> kNames[] = {
      {kSignalLabel, "label"},
      {kSignalKey, "key"},
      {kSignalStems, "word stems"},
      {kSignalSpelling, "spelling"},
      {kSignalLearned, "learned substitution"},
      {kSignalHierarchy, "hierarchy"},
      {kSignalAttributes, "attribute overlap"},
      {kSignalClass, "matched class"},
      {kSignalAssignment, "taken by another item"},
      {kSignalRow, "row's target"},
      {kSignalAbbreviation, "abbreviation"},
      {kSignalLexicon, "lexicon"},
      {kSignalSynonyms, "synonyms"},
      {kMarkDecided, "decision"}};
  static_assert(std::size(kNames) <= std::tuple_size_v<decltype(EvidenceWords::words)>);
  EvidenceWords names;
  for (const auto& [signal, name] : kNames) {
    if ((signals & signal) != 0 && names.count < names.words.size())
      names.words[names.count++] = name;
  }
  return names;
}
