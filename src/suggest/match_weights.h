// Every number that tunes the matcher, in one place, each with why it is
// what it is. The logic files hold none: they read these through the match
// context (or, for the parts that run without one, as a parameter), so a
// change of weight is a change of this file alone, and an experiment can set
// any of them on SuggestOptions without touching the logic.
#ifndef ZOR_SUGGEST_MATCH_WEIGHTS_H_
#define ZOR_SUGGEST_MATCH_WEIGHTS_H_

#include <cstddef>

// When a first candidate is accepted.
struct AcceptanceRules {
  double min_score = 0.7;  // an accepted first candidate reaches this score
  double margin = 0.05;    // and leads the runner-up by this much
  double attribute_min_score = 0.55;
  // A pair that is each other's best (the target's best item is the item
  // whose best target it is) is accepted from a lower score and a smaller
  // lead: two sides agreeing say more than one score. A class pair needs the
  // hierarchy's agreement too (a parent or children mapped alike), or head
  // words that meet.
  double mutual_min_score = 0.55;
  double mutual_margin = 0.02;
  double attribute_mutual_min_score = 0.55;
  // No suggestion is accepted below this score, whatever the rule (a user's
  // --min-score sets it, with the scores above).
  double floor = 0;
  // A target that drops a word of the item and adds its own is a sibling
  // as often as the item itself, unless it leads every other candidate by
  // this much.
  double apart_lead = 0.2;
};

// How two names compare, word by word.
struct NameScoring {
  // Words that share only a stem ("Presenter" and "Presentation") count
  // this much of a word of the same form (a singular and its plural are one
  // form).
  double stem_only = 0.75;
  // Off a pair of class names whose head words differ: "Hotel Room" and
  // "Hotel" share a word, but one is a room.
  double heads_apart = 0.1;
  // Words whose trigrams agree less than this are different words (unless
  // one slip tells them apart).
  double spelling_agreement = 0.75;
  // Words one slip apart count nearly as one word. Slips are looked for
  // between long words only: two six-letter words one letter apart are
  // often two words ("heater" and "header"), but a letter dropped from a
  // seven-letter word is a slip ("coeliac" and "celiac").
  double slip_strength = 0.9;
  size_t shortest_slip = 6;         // letters of the shorter word
  size_t shortest_slip_longer = 7;  // letters of the longer word
  // A classical plural and its singular ("septum" and "septa") are one
  // word, like a slip; words shorter than this many letters keep their
  // endings ("virus", "forum", "alga" are read as they stand).
  double classical_strength = 0.9;
  size_t shortest_classical = 6;
  // An abbreviation in capitals and the words it abbreviates.
  double abbreviation_strength = 0.9;
};

// How far each kind of lexicon relation makes two words one. The user's
// synonyms and the specific relations of WordNet decide a pair; a word's
// plain synonyms only rank it ("chair" and "president" share a sense).
struct LexiconStrengths {
  double user = 0.95;
  double pertainym = 0.9;
  double phrase_synonym = 0.9;
  double word_synonym = 0.5;
};

// Word substitutions learned from the pairs the table's rows already map.
struct LearningRules {
  // Pairs whose words differ in more than this many words on a side say
  // nothing clear about which word stands for which.
  size_t most_unmatched = 3;
  // A substitution needs this many different pairs of names behind it: one
  // pair of names, however often repeated, may be one person's odd choice.
  size_t least_name_pairs = 2;
  // Of the rows where the source word is renamed or kept, the share that
  // rename it to the target word; and of the rows that bring the target word
  // in, the share that bring it for the source word. The second keeps a
  // catch-all target ("Vendor Reference", "Remarks") that rows send many
  // unrelated names to from teaching anything.
  double least_faithful = 0.5;
  double least_specific = 0.5;
  // However well supported, a substitution never counts as much as the word
  // itself.
  double strongest = 0.9;
};

// How a class candidate's score is made from its names, the hierarchy and
// the attribute sets.
struct ClassScoring {
  int passes = 2;               // hierarchy passes after the names alone
  double name_share = 0.9;      // of the score that the names alone can give
  double hierarchy = 0.4;       // of the room the names leave
  double attributes = 0.2;      // likewise
  double contradiction = 0.15;  // off a pair whose parents map elsewhere
  // Hierarchy support below this is noise, not evidence a report names.
  double least_hierarchy_evidence = 0.05;
  // A match this sure, and this far ahead, informs its neighbours.
  double image_score = 0.5;
  double image_lead = 0.1;
  // Classes one word of the name brings at most, and rarer words stop
  // bringing more once this many are in.
  size_t most_per_word = 100;
  size_t enough = 100;
  size_t kept_between_passes = 50;
  size_t measured_overlaps =
      20;  // only the leading candidates' attribute sets can change the order
  size_t kept_for_assignment = 10;
  // Of the classes that could claim a broader target, at most this many are
  // asked: a target whose rarest word more classes hold is claimed by many.
  size_t most_claimants_asked = 200;
};

// What the hierarchy says of a candidate, from where the neighbours map.
struct HierarchyScoring {
  int deepest_descendant = 4;
  // The parent's image is the candidate's parent: short of all, so the
  // children still tell siblings apart.
  double child_share = 0.9;
  double descendant_share = 0.5;   // a deeper descendant says less than a child
  double sibling_share = 0.6;      // where the parent has no image, its siblings' images speak
  double grandparent_share = 0.4;  // where neither does, the grandparent's
  size_t most_siblings = 40;
  // Candidates the hierarchy brings: the classes up to this many levels
  // beneath the parent's image (or, where it has none, beneath the places
  // of at most so many of its siblings' images), at most so many of them.
  int candidate_depth = 2;
  size_t most_sibling_places = 3;
  size_t most_beneath = 40;
};

// The assignment of targets across items: one target, one item, unless both
// are strong and about equal (many rooms of many kinds go to Room).
struct AssignmentRules {
  double demoted = 0.8;  // a target another item took with a better score
  // A target a row of the table already takes. Taken is evidence, not a
  // rule, and the table says how strong: where its rows map one source to
  // each target, a taken target is demoted by `demoted_by_row`; the more of
  // them share their target with another row (rooms of many kinds to Room),
  // the less. A target n rows share demotes by a n-th of that again.
  double demoted_by_row = 0.7;
  double strong = 0.9;
  double about_equal = 0.02;
};

// Where an attribute's candidates come from and how much each counts.
struct AttributeScoring {
  double elsewhere = 0.7;             // an attribute of an unrelated class counts this much
  double home_share = 0.25;           // of an in-class score that depends on the class match
  double look_elsewhere_below = 0.8;  // a home's best under this: look in other classes too
  // An attribute of an ancestor of the home counts a little less than one of
  // the home itself: a row naming the home finds the home's own attribute.
  double ancestor_step = 0.01;
  int furthest_step = 5;
  double later_home = 0.9;  // a class's second or third candidate
  // A class with no sure target lends its best candidates to its
  // attributes, with half the say.
  double guessed_home = 0.5;
  size_t guessed_homes = 3;
  size_t most_per_word = 50;
  size_t most_elsewhere = 60;
  // Attributes at home compared with one item, at most: those sharing its
  // own words, then those sharing only a word linked to one of its words.
  // Those that read exactly as the item are compared whatever their number.
  size_t most_at_home = 48;
  size_t most_linked_at_home = 24;
  size_t kept_for_assignment = 10;
};

struct MatchWeights {
  AcceptanceRules acceptance;
  NameScoring names;
  LexiconStrengths lexicon;
  LearningRules learning;
  ClassScoring classes;
  HierarchyScoring hierarchy;
  AssignmentRules assignment;
  AttributeScoring attributes;
};

// A user's --min-score: the one score every acceptance rule of both kinds
// asks, and below which nothing is accepted.
inline void SetMinScore(MatchWeights& weights, double score) {
  AcceptanceRules& rules = weights.acceptance;
  rules.min_score = rules.attribute_min_score = score;
  rules.mutual_min_score = rules.attribute_mutual_min_score = score;
  rules.floor = score;
}

#endif  // ZOR_SUGGEST_MATCH_WEIGHTS_H_
