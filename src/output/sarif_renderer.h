// Findings as one SARIF 2.1.0 log of one run, for CI services and editors
// that read the format, holding what a person acts on: the tool and its
// rules (SarifRules()), then a result per hazard and per finding that does
// not pass, in the order of the JSON Lines records, with its rule, a level
// that says whether the run fails on it, its message (the text, and the
// rule's message by id with its arguments), where it can be changed (the
// table row that decided it, else the element in the dictionary to
// migrate) and its fingerprint. With a baseline, results say whether they
// are new; those the baseline holds carry a suppression naming it, and the
// findings gone since come last as absent results where they were. The
// summary of the JSON Lines goes into the run's property bag. Written as it
// goes, one result a line, so that a run of any size holds one class's
// findings at a time.
#ifndef ZOR_OUTPUT_SARIF_RENDERER_H_
#define ZOR_OUTPUT_SARIF_RENDERER_H_

#include <array>
#include <bitset>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "lint/hazard.h"
#include "output/artifact_uri.h"
#include "output/finding_names.h"
#include "output/finding_stamps.h"
#include "output/gone_findings.h"
#include "output/json_line.h"
#include "output/sarif_messages.h"
#include "output/sarif_rules.h"

struct SarifRun {
  std::string tool_version;
  std::string folder;  // the folder check ran in, the base of relative URIs
  PathStyle style = PathStyle::kPosix;
  ArtifactUri source;  // the dictionary to migrate
  ArtifactUri table;   // the mapping table
  bool v5v5 = false;
  std::bitset<kVerdictCount> failing;  // by Verdict: the results of level "error"
  bool hazards_fail = true;            // hazards' results are of level "error"
  bool include_passes = false;         // write passing verdicts as results of kind "pass"
  std::string baseline_path;           // named in the suppressions; empty without a baseline
};

class SarifRenderer : public FindingSink {
 public:
  using TextVisitor = std::function<void(std::string_view text)>;

  // `stamps` has accepted each batch, and stamped each hazard, before this
  // renderer does.
  SarifRenderer(TextVisitor visit, SarifRun run, const FindingStamps& stamps)
      : visit_(std::move(visit)), run_(std::move(run)), stamps_(stamps) {}
  void Accept(const ClassFindings& batch) override;
  void AcceptHazard(const Hazard& hazard, const FindingStamp& stamp);
  // Hands over the held-back results and those gone since the baseline,
  // and closes the log.
  void Finish(const ComparisonTotals& totals, const std::vector<GoneFinding>& gone);

 private:
  struct Level {
    const char* kind;   // nullptr for "fail", SARIF's default
    const char* level;  // nullptr: nothing to write
  };

  void Start();
  Level LevelOf(Verdict verdict) const;
  void WriteFinding(const ClassFindings& batch, const Finding& finding, size_t index,
                    const Level& level);
  void WriteHead(size_t rule, const Level& level, const std::string& text,
                 const SarifMessage& message);
  void WriteLocation(const ArtifactUri& artifact, long line, long column, std::string_view snippet);
  void WriteTail(const Fingerprint& fingerprint, BaselineState state, const char* verdict);
  void WriteGone(const GoneFinding& gone);
  ArtifactUri GoneArtifact(const GonePlace& place) const;
  void Emit(const std::string& result);

  TextVisitor visit_;
  SarifRun run_;
  const FindingStamps& stamps_;
  bool started_ = false;
  bool first_result_ = true;
  JsonLine line_;
  SarifMessage message_;
  std::vector<std::string> closing_section_;
  std::array<long, kVerdictCount> class_verdicts_{};
};

#endif  // ZOR_OUTPUT_SARIF_RENDERER_H_
