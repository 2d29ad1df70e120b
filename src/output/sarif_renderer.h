// Findings as one SARIF 2.1.0 log of one run, for CI services and editors
// that read the format: the tool and its rules (SarifRules()), then one
// result per finding in the order of the JSON Lines records, with its rule,
// a level that says whether the run fails on it, the message, where it can
// be changed (the table row that decided it, else the class's element in
// the dictionary to migrate) and its fingerprint. The summary of the JSON
// Lines goes into the run's property bag. Written as it goes, one result a
// line, so that a run of any size holds one class's findings at a time.
#ifndef ZOR_OUTPUT_SARIF_RENDERER_H_
#define ZOR_OUTPUT_SARIF_RENDERER_H_

#include <array>
#include <bitset>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "output/artifact_uri.h"
#include "output/finding_names.h"
#include "output/finding_stamps.h"
#include "output/json_line.h"

struct SarifRun {
  std::string tool_version;
  std::string folder_uri;  // the base of the relative URIs
  ArtifactUri source;      // the dictionary to migrate
  ArtifactUri table;       // the mapping table
  bool v5v5 = false;
  std::bitset<kVerdictCount> failing;  // by Verdict: the results of level "error"
};

class SarifRenderer : public FindingSink {
 public:
  using TextVisitor = std::function<void(std::string_view text)>;

  // `stamps` has accepted each batch before this renderer does.
  SarifRenderer(TextVisitor visit, SarifRun run, const FindingStamps& stamps)
      : visit_(std::move(visit)), run_(std::move(run)), stamps_(stamps) {}
  void Accept(const ClassFindings& batch) override;
  // Hands over the held-back results and closes the log.
  void Finish(const ComparisonTotals& totals);

 private:
  void Start();
  void WriteResult(const ClassFindings& batch, const Finding& finding, size_t index);
  void WriteLocation(const ClassFindings& batch, const Finding& finding);
  void Emit(const std::string& result);

  TextVisitor visit_;
  SarifRun run_;
  const FindingStamps& stamps_;
  bool started_ = false;
  bool first_result_ = true;
  JsonLine line_;
  std::vector<std::string> closing_section_;
  std::array<long, kVerdictCount> class_verdicts_{};
};

#endif  // ZOR_OUTPUT_SARIF_RENDERER_H_
