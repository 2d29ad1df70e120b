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
  const bool witnessed =
      first.attribute || first.heads_meet || (first.evidence & kSignalHierarchy) != 0;
  const double mutual_min =
      first.attribute ? rules.attribute_mutual_min_score : rules.mutual_min_score;
  return first.mutual && first.held_by == HeldBy::kNobody && witnessed &&
         Clear(first, mutual_min, rules.mutual_margin);
}

}  // namespace

Acceptance JudgeFirstCandidate(const FirstCandidate& first, const AcceptanceRules& rules,
                               uint32_t signals) {
  if (first.decided) return Acceptance::kAccepted;
  if (!ClearOnScores(first, rules)) return Acceptance::kNotClear;
  if ((signals & kSignalCoverage) == 0) return Acceptance::kAccepted;
  switch (first.relation) {
    case WordRelation::kKeepsAll:
      return Acceptance::kAccepted;
    case WordRelation::kBroader:
      return (first.evidence & (kSignalHierarchy | kSignalLearned | kSignalRow)) != 0
                 ? Acceptance::kAccepted
                 : Acceptance::kBroader;
    case WordRelation::kApart:
      return (first.evidence & (kSignalLearned | kSignalRow)) != 0 ? Acceptance::kAccepted
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
  }
  return "";
}
