// Findings as JSON Lines: one record per finding in the order of the
// defined report, then a summary record; doc/findings.md describes them.
// Classes the report lists in its closing section come after all others,
// as there. Given stamps, each finding's record ends with its fingerprint
// and, with a baseline, whether the baseline has it.
#ifndef ZOR_OUTPUT_JSON_LINES_RENDERER_H_
#define ZOR_OUTPUT_JSON_LINES_RENDERER_H_

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "output/finding_stamps.h"
#include "output/json_line.h"

class JsonLinesRenderer : public FindingSink {
 public:
  // Receives each record as one line of JSON with its line end.
  using LineVisitor = std::function<void(std::string_view line)>;

  // `stamps`, when given, has accepted each batch before this renderer does.
  JsonLinesRenderer(LineVisitor visit, bool v5v5, const FindingStamps* stamps = nullptr)
      : visit_(std::move(visit)), v5v5_(v5v5), stamps_(stamps) {}
  void Accept(const ClassFindings& batch) override;
  // Hands over the held-back records and the summary record.
  void Finish(const ComparisonTotals& totals);

 private:
  void WriteRecord(const ClassFindings& batch, const Finding& finding, size_t index);

  LineVisitor visit_;
  bool v5v5_;
  const FindingStamps* stamps_;
  JsonLine line_;
  std::vector<std::string> closing_section_;
  std::array<long, 6> class_verdicts_{};  // by Verdict
};

#endif  // ZOR_OUTPUT_JSON_LINES_RENDERER_H_
