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

bool On(uint32_t signals, uint32_t rule) { return (signals & rule) != 0; }

// What the user or the table said: a synonym, a rename the rows teach, the
// class's own row.
bool Taught(uint32_t evidence) {
  return On(evidence, kSignalLearned | kSignalRow | kSignalSynonyms);
}

// A target another item or a row holds goes to a second item only on
// evidence beyond the names: where the two sit, what they hold, or rows
// that already gather several classes there.
bool HeldOnNames(const FirstCandidate& first, uint32_t signals) {
  return On(signals, kSignalHeld) && first.held_by != HeldBy::kNobody && !first.own_name &&
         !On(first.evidence, kSignalHierarchy | kSignalAttributes) && !first.held_by_many_rows;
}

bool OutsideHomeOnNames(const FirstCandidate& first, uint32_t signals) {
  return On(signals, kSignalHome) && first.outside_home && !Taught(first.evidence) &&
         !On(first.evidence, kSignalLexicon);
}

// What settles the words the names leave open: for a broader target one
// witness; for a sibling's name, what the user or the lexicon say, the
// attribute sets, or a clear lead.
Acceptance SettleWords(const FirstCandidate& first, const AcceptanceRules& rules,
                       uint32_t signals) {
  const uint32_t e = first.evidence;
  switch (first.relation) {
    case WordRelation::kSame:
    case WordRelation::kKeepsAll:
      return Acceptance::kAccepted;
    case WordRelation::kBroader: {
      const bool witness =
          Taught(e) || On(e, kSignalHierarchy | kSignalAttributes | kSignalLexicon) ||
          (On(signals, kSignalClaims) && first.only_claimant && !first.hierarchy_against);
      return witness ? Acceptance::kAccepted : Acceptance::kBroader;
    }
    case WordRelation::kApart: {
      const bool settled =
          Taught(e) || On(e, kSignalAttributes | kSignalLexicon) ||
          (On(signals, kSignalLead) && !first.heads_derived && Leads(first, rules.apart_lead));
      return settled ? Acceptance::kAccepted : Acceptance::kApart;
    }
  }
  return Acceptance::kAccepted;
}

}  // namespace

Acceptance JudgeFirstCandidate(const FirstCandidate& first, const AcceptanceRules& rules,
                               uint32_t signals) {
  if (first.decided) return Acceptance::kAccepted;
  if (!ClearOnScores(first, rules)) return Acceptance::kNotClear;
  if (!On(signals, kSignalCoverage)) return Acceptance::kAccepted;
  if (HeldOnNames(first, signals)) return Acceptance::kHeldOnNames;
  if (OutsideHomeOnNames(first, signals)) return Acceptance::kOutsideHome;
  return SettleWords(first, rules, signals);
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
