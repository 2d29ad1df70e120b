// The rules of zorvez's SARIF log: one per kind of finding and per hazard
// that check reports, with a stable opaque id ("ZV101"), a friendly name,
// what it means, what to do about it, and its messages as templates whose
// arguments each result gives. In a fixed order, so that a result can name
// its rule by index.
#ifndef ZOR_OUTPUT_SARIF_RULES_H_
#define ZOR_OUTPUT_SARIF_RULES_H_

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "lint/hazard.h"

// A message of a rule: its id and its text, with "{0}", "{1}", ... where
// the result's arguments go.
struct SarifMessageString {
  const char* id;
  const char* text;
};

struct SarifRule {
  const char* id;    // "ZV101": stable and opaque, as SARIF asks
  const char* name;  // "ClassNotInMappingTable"
  // What the JSON Lines call it: the record ("class", "attribute", "child"
  // or "hazard") and the finding or the hazard's code.
  const char* record;
  const char* finding;
  FindingSubject subject;
  FindingKind kind;
  std::optional<HazardCode> hazard;  // set for the rules of hazards
  Verdict verdict;  // findings: the verdict findings of the kind have (a class's, for attributes)
  const char* short_description;
  const char* full_description;
  const char* help;                            // what to do
  std::array<SarifMessageString, 2> messages;  // the first is "default"; an unused one has no id
};

// The message every rule has for a result gone since the baseline; its one
// argument is the message the baseline gave.
constexpr SarifMessageString kGoneMessage{"gone", "Gone since the baseline: {0}."};

std::span<const SarifRule> SarifRules();

// The index into SarifRules() of the rule of findings of that subject and
// kind, or of that hazard.
size_t SarifRuleIndex(FindingSubject subject, FindingKind kind);
size_t SarifHazardRuleIndex(HazardCode code);

// The rule a baseline names: by its id, by "RECORD/FINDING" as JSON Lines
// and earlier logs name it, or by "hazard/CODE".
std::optional<size_t> SarifRuleNamed(std::string_view name);

// The text of message `id` of `rule` with `arguments` in its places.
std::string SarifMessageText(const SarifRule& rule, std::string_view id,
                             const std::vector<std::string_view>& arguments);

#endif  // ZOR_OUTPUT_SARIF_RULES_H_
