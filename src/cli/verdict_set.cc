#include "cli/verdict_set.h"

#include <string>

#include "cli/option_parser.h"
#include "output/finding_names.h"

namespace {

constexpr Verdict kFailOnVerdicts[] = {Verdict::kGreen,  Verdict::kBlue,   Verdict::kRed,
                                       Verdict::kOrange, Verdict::kPurple, Verdict::kGrey};

}  // namespace

VerdictSet ParseVerdictList(std::string_view list) {
  VerdictSet verdicts;
  if (list == "none") return verdicts;
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(',', start);
    std::string_view name =
        list.substr(start, comma == std::string_view::npos ? comma : comma - start);
    bool known = false;
    for (Verdict verdict : kFailOnVerdicts) {
      if (name != VerdictName(verdict)) continue;
      verdicts.Add(verdict);
      known = true;
    }
    if (!known) {
      throw UsageError("--fail-on: '" + std::string(name) +
                       "' is not a verdict (green, blue, red, orange, purple, grey, or none)");
    }
    if (comma == std::string_view::npos) return verdicts;
    start = comma + 1;
  }
}

void VerdictWatch::Accept(const ClassFindings& batch) {
  for (const Finding& finding : batch.findings) seen_ = seen_ || watched_.Has(finding.verdict);
}
