// Whether an item's first candidate is accepted, that is filled in without
// a person: one rule for class and attribute items and for a reviewer's
// decisions, reading the numbers of AcceptanceRules (match_weights.h).
//
// A candidate is accepted in two steps. Its scores must make it clear: the
// item's own name, or a score and a lead over the runner-up, or a pair that
// is each other's best with a second witness. Then what its names leave open
// must be settled by evidence an empty table has too (the hierarchy, the
// attribute sets, the lexicon, the user's synonyms, what else could claim
// the target, a clear lead), never by a table that would have to be filled
// first: a target that drops a word of the item (broader), drops one and
// adds its own (a sibling's name), or that another item or a row already
// holds, is not taken on its name alone.
#ifndef ZOR_SUGGEST_ACCEPTANCE_H_
#define ZOR_SUGGEST_ACCEPTANCE_H_

#include <cstdint>
#include <string_view>

#include "suggest/match_weights.h"

// How a target's words stand to the item's, each word met as it is,
// through its stem (but for the head word) or through a link: the same
// words, in any order ("Chair_PC" and "Program Committee Chair"); the
// target keeps every word of the item and adds its own (narrower); only the
// item keeps every word of the target, which drops one (broader: "Session"
// for "Conference Session"); or each says something the other does not
// ("Paper Presentation" and "Individual Presentation"), as siblings do.
enum class WordRelation : uint8_t { kSame, kKeepsAll, kBroader, kApart };

// Who else holds the first candidate's target.
enum class HeldBy : uint8_t { kNobody, kItem, kRow };

// What is known of an item's first candidate when its acceptance is judged.
struct FirstCandidate {
  bool attribute = false;  // an attribute item: scored on its own scale
  bool decided = false;    // a reviewer decided this target
  // The target reads as the item's own name (label or key), and no other
  // target does: the pair a user makes at once.
  bool own_name = false;
  double score = 0;
  double runner_up = -1;    // the second candidate's score, or below 0 when there is none
  bool contested = false;   // another candidate would come first once the holders are counted
  bool mutual = false;      // the target's best item is this item
  bool heads_meet = false;  // the names are about the same thing (for a class pair)
  // The head words share only their stem ("Presenter" and "Presentation"):
  // a thing and what it does are not one.
  bool heads_derived = false;
  WordRelation relation = WordRelation::kKeepsAll;
  uint32_t evidence = 0;  // the candidate's signals (suggest_model.h)
  // No other class of the dictionary to migrate has a name holding every
  // word of the target: nothing else could go there.
  bool only_claimant = false;
  // The item's parent maps where the target is not: no claim count
  // outweighs that.
  bool hierarchy_against = false;
  HeldBy held_by = HeldBy::kNobody;
  // An attribute of another class than the one the item's class is settled
  // in (by a row or an accepted suggestion): its row would name a class
  // that the class row does not.
  bool outside_home = false;
  bool held_by_many_rows = false;  // several rows of the table map onto the target
};

enum class Acceptance : uint8_t {
  kAccepted,
  kNotClear,     // the scores do not make it clear
  kBroader,      // a broader target with nothing but the names for it
  kApart,        // a sibling's name, with nothing but the names for it
  kHeldOnNames,  // another item or a row holds the target, and only names point here
  kOutsideHome,  // an attribute outside its class's place, and only names point there
};

// `signals`: the signals and rules in use (the ablation switches them off).
Acceptance JudgeFirstCandidate(const FirstCandidate& first, const AcceptanceRules& rules,
                               uint32_t signals);

// "accepted", "not clear", ...: for the development tools' evidence files.
std::string_view AcceptanceWords(Acceptance verdict);

#endif  // ZOR_SUGGEST_ACCEPTANCE_H_
