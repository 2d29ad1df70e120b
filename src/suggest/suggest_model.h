// What the matcher reads and what it answers, as plain data: two class
// dictionaries, the pairs the mapping table already knows, the items that
// need a target, and per item its ranked candidates. Nothing here knows
// about files, rows or output formats.
#ifndef ZOR_SUGGEST_SUGGEST_MODEL_H_
#define ZOR_SUGGEST_SUGGEST_MODEL_H_

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "suggest/acceptance.h"
#include "suggest/match_weights.h"
#include "suggest/name_store.h"

class Lexicon;
class LexiconEvidence;

struct SuggestAttribute {
  Name label;
  Name key;
};

// A class of either dictionary. A target class's parent label may be empty:
// the target names its parent by key only.
struct SuggestClass {
  Name label;
  Name key;
  Name parent_label;
  Name parent_key;
  std::vector<SuggestAttribute> attributes;
};

// A class row of the table whose target class exists in the target.
struct ClassAnchor {
  size_t source = 0;
  size_t target = 0;
};

// An attribute row of the table whose target attribute exists in the target
// class (or one of its ancestors).
struct AttributeAnchor {
  size_t source_class = 0;
  size_t source_attribute = 0;
  size_t target_class = 0;
  size_t target_attribute = 0;
};

struct AttributeItem {
  size_t source_class = 0;
  size_t source_attribute = 0;
};

struct SuggestInput {
  std::shared_ptr<NameStore> names = std::make_shared<NameStore>();  // the classes' names
  std::vector<SuggestClass> source;
  std::vector<SuggestClass> target;
  std::vector<ClassAnchor> class_anchors;
  std::vector<AttributeAnchor> attribute_anchors;
  std::vector<size_t> class_items;  // source class indexes
  // Per class item, or empty: the target class a row of the table names for
  // it and the target lacks, most often mistyped ("did you mean").
  std::vector<std::string> class_item_rows;
  std::vector<AttributeItem> attribute_items;
};

// The signals, one bit each, so that a candidate says which of them agreed
// and the ablation can switch each of them off.
enum Signal : uint32_t {
  kSignalLabel = 1u << 0,       // the labels share weighted words or are equal
  kSignalKey = 1u << 1,         // the keys do
  kSignalSpelling = 1u << 2,    // words that differ by a typo or a variant spelling
  kSignalLearned = 1u << 3,     // a word substitution learned from the table's rows
  kSignalHierarchy = 1u << 4,   // the parent's target is this candidate's parent or ancestor
  kSignalAttributes = 1u << 5,  // the attribute sets overlap
  kSignalClass = 1u << 6,       // an attribute of the class matched to the source class
  kSignalAssignment =
      1u << 7,  // not a signal: another item took the target (a class candidate is demoted)
  kSignalStems = 1u << 8,    // word stems, so that plural and inflected forms meet
  kSignalWeights = 1u << 9,  // rare words count more than common ones
  kSignalRow = 1u << 10,     // the name the class's row gives, mistyped
  // Not a signal: the item's label or key reads exactly as this candidate's,
  // and as no other's where the candidate was found; accepted unless another
  // item takes it.
  kMarkExact = 1u << 11,
  // Not a signal: what demoted the candidate (kSignalAssignment) is a row of
  // the table that takes its target, not another item.
  kMarkTakenByRow = 1u << 12,
  kSignalAbbreviation = 1u << 13,  // an abbreviation in capitals and the words it abbreviates
  kSignalLexicon = 1u << 14,       // related in the lexicon of English: a synonym, a pertainym
  kSignalSynonyms = 1u << 15,      // related in the user's own list of synonyms
  // Not a signal: a reviewer decided this target (a decisions file).
  kMarkDecided = 1u << 16,
  // Not evidence a candidate carries: the rule that puts a target whose name
  // reads as the item's own first (switched off for the ablation).
  kSignalOwnName = 1u << 17,
  // Not evidence either: the rule that accepts a broader or narrower target
  // only with the hierarchy's or the rows' support.
  kSignalCoverage = 1u << 18,
  // Not evidence either: the links between numbers written in other ways
  // ("C1" for "cervical 1", "V" for "5"), whose evidence is an abbreviation
  // or a spelling.
  kSignalNumbers = 1u << 19,
  // The rules of acceptance.h, each of which the ablation can switch off:
  // words of one stem count as kept (but head words); no other class that
  // could claim a broader target is a witness; a lead settles a sibling's
  // name; a target another holds needs evidence beyond names; an attribute
  // outside its class's place needs more than names; a row that takes
  // another class's exact name does not bury it.
  kSignalStemsKept = 1u << 20,
  kSignalClaims = 1u << 21,
  kSignalLead = 1u << 22,
  kSignalHeld = 1u << 23,
  kSignalHome = 1u << 24,
  kSignalBuryingRows = 1u << 25,
};
inline constexpr uint32_t kAcceptanceRules =
    kSignalStemsKept | kSignalClaims | kSignalLead | kSignalHeld | kSignalHome | kSignalBuryingRows;
inline constexpr uint32_t kAllSignals = 0x7ff | kSignalAbbreviation | kSignalLexicon |
                                        kSignalSynonyms | kSignalOwnName | kSignalCoverage |
                                        kSignalNumbers | kAcceptanceRules;

// The evidence words of a signal set, for reports: "label", "key", ...
// Without allocating: a report names the evidence of millions of candidates.
struct EvidenceWords {
  std::array<std::string_view, 14> words;
  size_t count = 0;
  const std::string_view* begin() const { return words.data(); }
  const std::string_view* end() const { return words.data() + count; }
};
EvidenceWords EvidenceNames(uint32_t signals);

struct SuggestOptions {
  size_t top = 5;
  MatchWeights weights;
  // What is known of words beyond their spelling (WordNet's database, the
  // user's synonyms), or null; not owned.
  const Lexicon* lexicon = nullptr;
  uint32_t signals = kAllSignals;  // the signals in use (the ablation switches some off)
  // How many threads match at once: 0 for as many as the machine has, on
  // inputs large enough to be worth it. The suggestions never depend on it.
  size_t runs = 0;
};

// Who took a candidate that the assignment demoted (kSignalAssignment):
// another item, by its number among the items of its kind, or a row of the table.
inline constexpr int32_t kTakenByNone = -1;
inline constexpr int32_t kTakenByRow = -2;

struct ClassCandidate {
  size_t target = 0;
  double score = 0;
  uint32_t evidence = 0;
  int32_t taken_by = kTakenByNone;
};

struct ClassSuggestion {
  size_t source = 0;
  std::vector<ClassCandidate> candidates;      // best first
  bool accepted = false;                       // the first candidate is accepted
  bool no_mapping = false;                     // a reviewer decided No Mapping
  Acceptance verdict = Acceptance::kNotClear;  // why the first candidate is accepted or not
};

// 24 bytes: hundreds of thousands of items keep five each.
struct AttributeCandidate {
  uint32_t target_class = 0;
  uint32_t target_attribute = 0;
  double score = 0;
  uint32_t evidence = 0;
  int32_t taken_by = kTakenByNone;
};

struct AttributeSuggestion {
  AttributeItem item;
  std::vector<AttributeCandidate> candidates;
  bool accepted = false;
  bool no_mapping = false;  // a reviewer decided No Mapping
  Acceptance verdict = Acceptance::kNotClear;
};

// A row of the table that maps a class onto the target another class, which
// needs a target, names exactly: the item keeps that target first.
struct BuryingRow {
  size_t item = 0;        // the class item that names the target
  size_t row_source = 0;  // the source class whose row takes it
  size_t target = 0;
};

struct SuggestOutput {
  std::vector<ClassSuggestion> classes;  // in the order of the class items
  std::vector<BuryingRow> burying_rows;
  std::vector<AttributeSuggestion> attributes;
  // The words behind lexicon and synonym evidence, for the report; null
  // when the lexicon related nothing.
  std::shared_ptr<const LexiconEvidence> lexicon_evidence;
};

#endif  // ZOR_SUGGEST_SUGGEST_MODEL_H_
