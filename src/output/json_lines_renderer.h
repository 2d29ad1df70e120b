// Findings as JSON Lines: one record per finding in the order of the
// defined report, then a summary record; doc/findings.md describes them.
// Hazards come as records of their own where they are handed over.
// Classes the report lists in its closing section come after all others,
// as there. Given stamps, each record ends with its fingerprint and, with a
// baseline (unless the records are a baseline themselves), whether the
// baseline has it.
#ifndef ZOR_OUTPUT_JSON_LINES_RENDERER_H_
#define ZOR_OUTPUT_JSON_LINES_RENDERER_H_

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "lint/hazard.h"
#include "output/finding_stamps.h"
#include "output/json_line.h"

class JsonLinesRenderer : public FindingSink {
 public:
  // Receives each record as one line of JSON with its line end.
  using LineVisitor = std::function<void(std::string_view line)>;

  // The paths as the command line gave them, which hazard records name.
  struct Paths {
    std::string table;
    std::string source;
  };

  // `stamps`, when given, has accepted each batch before this renderer does.
  JsonLinesRenderer(LineVisitor visit, bool v5v5, const FindingStamps* stamps = nullptr,
                    Paths paths = {})
      : visit_(std::move(visit)), v5v5_(v5v5), stamps_(stamps), paths_(std::move(paths)) {}
  // Records for a baseline: no state of an earlier baseline in them.
  void WithoutBaselineStates() { with_states_ = false; }
  void Accept(const ClassFindings& batch) override;
  // `stamp`, when there are stamps, is the hazard's.
  void AcceptHazard(const Hazard& hazard, const FindingStamp& stamp);
  // Hands over the held-back records and the summary record.
  void Finish(const ComparisonTotals& totals);

 private:
  void WriteRecord(const ClassFindings& batch, const Finding& finding, size_t index);

  LineVisitor visit_;
  bool v5v5_;
  const FindingStamps* stamps_;
  Paths paths_;
  bool with_states_ = true;
  JsonLine line_;
  std::vector<std::string> closing_section_;
  std::array<long, 6> class_verdicts_{};  // by Verdict
};

#endif  // ZOR_OUTPUT_JSON_LINES_RENDERER_H_
