#include "output/sarif_renderer.h"

#include "output/finding_lines.h"
#include "output/sarif_rules.h"

namespace {

constexpr const char* kSchema =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/os/schemas/sarif-schema-2.1.0.json";

// Levels as the default --fail-on (red, blue, purple, grey) gives them.
const char* DefaultLevel(Verdict verdict) {
  switch (verdict) {
    case Verdict::kGreen:
      return "note";
    case Verdict::kOrange:
      return "warning";
    default:
      return "error";
  }
}

void WriteText(JsonLine& line, const char* key, std::string_view text) {
  line.Key(key).Open().Key("text").String(text).Close();
}

void WriteRules(JsonLine& line) {
  line.Key("rules").OpenArray();
  for (const SarifRule& rule : SarifRules()) {
    line.Open().Key("id").String(rule.id);
    WriteText(line, "shortDescription", rule.short_description);
    WriteText(line, "fullDescription", rule.full_description);
    WriteText(line, "help", rule.help);
    line.Key("defaultConfiguration").Open().Key("level").String(DefaultLevel(rule.verdict));
    line.Close().Key("properties").Open().Key("verdict").String(VerdictName(rule.verdict));
    line.Close().Close();
  }
  line.CloseArray();
}

void WriteArtifact(JsonLine& line, const ArtifactUri& artifact) {
  line.Key("artifactLocation").Open().Key("uri").String(artifact.uri);
  if (artifact.relative) line.Key("uriBaseId").String(kSourceRootBase);
  line.Close();
}

}  // namespace

// The log up to its first result: the tool, its rules and the base of the
// relative URIs.
void SarifRenderer::Start() {
  started_ = true;
  JsonLine& line = line_;
  line.Clear();
  line.Open().Key("$schema").String(kSchema).Key("version").String("2.1.0");
  line.Key("runs").OpenArray().Open().Key("tool").Open().Key("driver").Open();
  line.Key("name").String("zorvez").Key("version").String(run_.tool_version);
  WriteRules(line);
  line.Close().Close();
  line.Key("originalUriBaseIds").Open().Key(kSourceRootBase).Open();
  line.Key("uri").String(run_.folder_uri).Close().Close();
  line.Key("results").OpenArray();
  visit_(line.Text() + "\n");
}

void SarifRenderer::WriteLocation(const ClassFindings& batch, const Finding& finding) {
  JsonLine& line = line_;
  const bool in_table = finding.row.has_value();
  const long place = in_table ? finding.row->line : batch.source_line;
  line.Key("locations").OpenArray().Open().Key("physicalLocation").Open();
  WriteArtifact(line, in_table ? run_.table : run_.source);
  if (place > 0) line.Key("region").Open().Key("startLine").Number(place).Close();
  line.Close().Close().CloseArray();
}

void SarifRenderer::WriteResult(const ClassFindings& batch, const Finding& finding, size_t index) {
  JsonLine& line = line_;
  line.Clear();
  const size_t rule = SarifRuleIndex(finding.subject, finding.kind);
  line.Open().Key("ruleId").String(SarifRules()[rule].id);
  line.Key("ruleIndex").Number(static_cast<long>(rule));
  const char* level = run_.failing.test(static_cast<size_t>(finding.verdict)) ? "error"
                      : finding.verdict == Verdict::kGreen                    ? "note"
                                                                              : "warning";
  line.Key("level").String(level);
  WriteText(line, "message", LineOf(batch, finding, run_.v5v5, LineForm::kPlain).Text());
  WriteLocation(batch, finding);
  const FindingStamp& stamp = stamps_.Of(index);
  const std::array<char, 32> digits = stamp.fingerprint.Digits();
  line.Key("partialFingerprints").Open().Key(kFingerprintKey);
  line.String(std::string_view(digits.data(), digits.size()));
  line.Close();
  if (stamp.state != BaselineState::kNone) {
    line.Key("baselineState").String(BaselineStateName(stamp.state));
  }
  line.Key("properties").Open().Key("verdict").String(VerdictName(finding.verdict)).Close();
  line.Close();
}

void SarifRenderer::Emit(const std::string& result) {
  visit_(first_result_ ? "" : ",");
  first_result_ = false;
  visit_(result);
}

void SarifRenderer::Accept(const ClassFindings& batch) {
  if (!started_) Start();
  for (size_t i = 0; i < batch.findings.size(); ++i) {
    const Finding& finding = batch.findings[i];
    if (finding.subject == FindingSubject::kClass) {
      class_verdicts_[static_cast<size_t>(finding.verdict)] += 1;
    }
    WriteResult(batch, finding, i);
    if (finding.section == ReportSection::kRequestedUnmapped) {
      closing_section_.push_back(line_.Text());
    } else {
      Emit(line_.Text());
    }
  }
}

void SarifRenderer::Finish(const ComparisonTotals& totals) {
  if (!started_) Start();
  for (const std::string& result : closing_section_) Emit(result);
  closing_section_.clear();
  // The summary record's members, as the run's properties.
  JsonLine& line = line_;
  line.Clear();
  line.Open().Key("classes").Number(totals.total_classes).Key("verdicts").Open();
  for (Verdict verdict : kAllVerdicts) {
    line.Key(VerdictName(verdict)).Number(class_verdicts_[static_cast<size_t>(verdict)]);
  }
  line.Close().Key("new_classes_suggested").Number(totals.new_classes_suggested);
  line.Key("requested_unmapped").Number(totals.unmapped_requested);
  line.Key("no_row").Number(totals.attributes_without_row);
  line.Key("dropped_row").Number(totals.dropped_rows);
  if (stamps_.HasBaseline()) {
    BaselineCounts counts = stamps_.Counts();
    line.Key("baseline").Open().Key("new").Number(counts.new_findings);
    line.Key("unchanged").Number(counts.unchanged).Key("gone").Number(counts.gone).Close();
  }
  line.Close();
  std::string properties = line.Text();
  properties.pop_back();  // the line end of a whole object
  visit_("],\"properties\":" + properties + "}]}\n");
}
