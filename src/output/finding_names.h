// The words that name verdicts and kinds of findings in machine-readable
// output.
#ifndef ZOR_OUTPUT_FINDING_NAMES_H_
#define ZOR_OUTPUT_FINDING_NAMES_H_

#include <array>
#include <optional>
#include <string_view>

#include "compare/finding.h"

const char* VerdictName(Verdict verdict);
const char* FindingKindName(FindingKind kind);
const char* SubjectName(FindingSubject subject);
// The verdict of that name, or nothing.
std::optional<Verdict> VerdictNamed(std::string_view name);

// Every verdict a class can have, in the order summaries list them.
constexpr std::array<Verdict, 5> kAllVerdicts{Verdict::kGreen, Verdict::kBlue, Verdict::kRed,
                                              Verdict::kOrange, Verdict::kPurple};
// And every verdict a finding can have: grey only marks attributes.
constexpr size_t kVerdictCount = 6;
// The order in which people are shown the verdicts: what to act on first.
constexpr std::array<Verdict, kVerdictCount> kListOrder{Verdict::kRed,    Verdict::kBlue,
                                                        Verdict::kPurple, Verdict::kOrange,
                                                        Verdict::kGreen,  Verdict::kGrey};

#endif  // ZOR_OUTPUT_FINDING_NAMES_H_
