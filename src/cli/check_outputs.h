// Everything one `zorvez check` makes of its findings and hazards: their
// stamps, the renderer of its format (none when quiet), the baseline it
// writes (--write-baseline), the warnings of names no row can hold, and
// what decides the exit status. Each batch and hazard goes to all of them,
// the stamps first.
#ifndef ZOR_CLI_CHECK_OUTPUTS_H_
#define ZOR_CLI_CHECK_OUTPUTS_H_

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/check_text.h"
#include "cli/proposed_row_names.h"
#include "cli/verdict_set.h"
#include "comparison_run/comparison_run.h"
#include "lint/hazard.h"
#include "output/artifact_uri.h"
#include "output/finding_stamps.h"
#include "output/gone_findings.h"
#include "output/json_lines_renderer.h"
#include "output/sarif_renderer.h"
#include "platform/cli_streams.h"

enum class CheckFormat { kText, kJsonLines, kSarif };

struct CheckOptions {
  FindingRunOptions run;
  CheckFormat format = CheckFormat::kText;
  std::string baseline_path;        // empty: none
  std::string write_baseline_path;  // empty: none
  bool quiet = false;
  bool verbose = false;         // the text lists every finding, also with a baseline
  bool include_passes = false;  // SARIF: passing verdicts as results of kind "pass"
  VerdictSet fail_on;
  bool fail_on_hazards = false;
};

class CheckOutputs : public FindingSink {
 public:
  // `io.out` receives the format's output; `baseline_out`, when given, the
  // baseline to write; `baseline`, when given, the fingerprints the run is
  // held against.
  CheckOutputs(const CheckOptions& options, CliStreams& io, std::ostream* baseline_out,
               BaselineFingerprints* baseline);

  void Accept(const ClassFindings& batch) override;
  void AcceptHazard(const Hazard& hazard);
  // Ends every output once every class went through; `gone` is what the
  // baseline says of the findings gone since.
  void Finish(const ComparisonTotals& totals, const std::vector<GoneFinding>& gone);

  const FindingStamps& Stamps() const { return stamps_; }
  // Whether a finding or hazard (with a baseline, a new one) fails the run.
  bool Failed() const { return failed_; }
  const std::vector<std::string>& NameWarnings() const { return row_names_.Messages(); }

 private:
  bool HasBaseline() const { return stamps_.HasBaseline(); }
  SarifRun SarifRunOf() const;
  std::string GonePlaceText(const GonePlace& place) const;

  const CheckOptions& options_;
  std::ostream& out_;
  FindingStamps stamps_;
  // Fingerprints cost a little: the text without a baseline needs none.
  bool take_stamps_;
  ArtifactUri source_uri_;
  ArtifactUri table_uri_;
  std::string folder_;
  std::optional<JsonLinesRenderer> lines_;
  std::optional<SarifRenderer> sarif_;
  std::optional<CheckTextRenderer> text_;
  std::optional<JsonLinesRenderer> baseline_writer_;
  ProposedRowNames row_names_;
  Hazards markup_;  // of the batch at hand
  bool failed_ = false;
};

#endif  // ZOR_CLI_CHECK_OUTPUTS_H_
