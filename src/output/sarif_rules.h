// The rules of zorvez's SARIF log: one per kind of finding, with what it
// means and what to do about it, in a fixed order so that a result can name
// its rule by index.
#ifndef ZOR_OUTPUT_SARIF_RULES_H_
#define ZOR_OUTPUT_SARIF_RULES_H_

#include <cstddef>
#include <span>

#include "compare/finding.h"

struct SarifRule {
  FindingSubject subject;
  FindingKind kind;
  Verdict verdict;  // the verdict findings of the kind have (a class's, for attributes of it)
  const char* id;   // "class/not_in_mapping_table"
  const char* short_description;
  const char* full_description;
  const char* help;  // what to do
};

std::span<const SarifRule> SarifRules();

// The index into SarifRules() of the rule of findings of that subject and
// kind.
size_t SarifRuleIndex(FindingSubject subject, FindingKind kind);

#endif  // ZOR_OUTPUT_SARIF_RULES_H_
