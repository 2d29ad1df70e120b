#include "suggest/acceptance.h"

#include "suggest/suggest_model.h"

namespace {

bool Clear(const FirstCandidate& first, double min_score, double margin) {
  if (first.contested || first.score < min_score) return false;
  return first.runner_up < 0 || first.score - first.runner_up >= margin;
}

// The scores alone: the item's own name, a clear lead, or each other's best
// with a second witness (the hierarchy, or names about the same thing).
bool ClearOnScores(const FirstCandidate& first, const AcceptanceRules& rules) {
  if (first.own_name && !first.contested) return first.score >= rules.floor;
  const double min_score = first.attribute ? rules.attribute_min_score : rules.min_score;
  if (Clear(first, min_score, rules.margin)) return true;
  // The same words in another order ("Chair_PC" for "Program Committee
  // Chair") are the same name, but for a word the lexicon turned from a
  // qualifier into a thing ("cellular cartilage" and "Cartilage Cell").
  const bool reordered =
      first.relation == WordRelation::kSame && (first.evidence & kSignalLexicon) == 0;
  const bool witnessed =
      first.attribute || first.heads_meet || reordered || (first.evidence & kSignalHierarchy) != 0;
  const double mutual_min =
      first.attribute ? rules.attribute_mutual_min_score : rules.mutual_min_score;
  return first.mutual && first.held_by == HeldBy::kNobody && witnessed &&
         Clear(first, mutual_min, rules.mutual_margin);
}

// Far ahead of every other candidate: the dictionary offers nothing else near.
bool Leads(const FirstCandidate& first, double lead) {
  return first.runner_up < 0 || first.score - first.runner_up >= lead;
}

}  // namespace

Acceptance JudgeFirstCandidate(const FirstCandidate& first, const AcceptanceRules& rules,
                               uint32_t signals) {
  if (first.decided) return Acceptance::kAccepted;
  if (!ClearOnScores(first, rules)) return Acceptance::kNotClear;
  if ((signals & kSignalCoverage) == 0) return Acceptance::kAccepted;
  const uint32_t e = first.evidence;
  const bool taught = (e & (kSignalLearned | kSignalRow | kSignalSynonyms)) != 0;
  const bool structure = (e & (kSignalHierarchy | kSignalAttributes)) != 0;
  if (first.held_by != HeldBy::kNobody && !first.own_name && !structure && !first.held_by_many_rows)
    return Acceptance::kHeldOnNames;
  if (first.outside_home && !taught && (e & kSignalLexicon) == 0) return Acceptance::kOutsideHome;
  const int witnesses = ((e & kSignalHierarchy) != 0) + ((e & kSignalAttributes) != 0) +
                        ((e & kSignalLexicon) != 0) + first.only_claimant;
  switch (first.relation) {
    case WordRelation::kSame:
    case WordRelation::kKeepsAll:
      return Acceptance::kAccepted;
    case WordRelation::kBroader:
      return taught || witnesses > 0 ? Acceptance::kAccepted : Acceptance::kBroader;
    case WordRelation::kApart:
      return taught || (e & (kSignalAttributes | kSignalLexicon)) != 0 ||
                     (!first.heads_derived && Leads(first, rules.apart_lead))
                 ? Acceptance::kAccepted
                 : Acceptance::kApart;
  }
  return Acceptance::kAccepted;
}

std::string_view AcceptanceWords(Acceptance verdict) {
  switch (verdict) {
    case Acceptance::kAccepted:
      return "accepted";
    case Acceptance::kNotClear:
      return "not clear";
    case Acceptance::kBroader:
      return "broader, on names alone";
    case Acceptance::kApart:
      return "a sibling's name, on names alone";
    case Acceptance::kHeldOnNames:
      return "held by another, on names alone";
    case Acceptance::kOutsideHome:
      return "outside its class's place, on names alone";
  }
  return "";
}
