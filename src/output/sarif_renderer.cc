#include "output/sarif_renderer.h"

namespace {

constexpr const char* kSchema =
    "https://docs.oasis-open.org/sarif/sarif/v2.1.0/os/schemas/sarif-schema-2.1.0.json";

// Levels as the default --fail-on (red, blue, purple, grey, hazard) gives
// them.
const char* DefaultLevel(const SarifRule& rule) {
  if (rule.hazard) return "error";
  switch (rule.verdict) {
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

void WriteRule(JsonLine& line, const SarifRule& rule) {
  line.Open().Key("id").String(rule.id).Key("name").String(rule.name);
  WriteText(line, "shortDescription", rule.short_description);
  WriteText(line, "fullDescription", rule.full_description);
  WriteText(line, "help", rule.help);
  line.Key("messageStrings").Open();
  for (const SarifMessageString& message : rule.messages) {
    if (message.id != nullptr) WriteText(line, message.id, message.text);
  }
  WriteText(line, kGoneMessage.id, kGoneMessage.text);
  line.Close().Key("defaultConfiguration").Open().Key("level").String(DefaultLevel(rule)).Close();
  line.Key("properties").Open().Key("record").String(rule.record);
  if (rule.hazard) {
    line.Key("code").String(rule.finding);
  } else {
    line.Key("finding").String(rule.finding).Key("verdict").String(VerdictName(rule.verdict));
  }
  line.Close().Close();
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
  line.Key("rules").OpenArray();
  for (const SarifRule& rule : SarifRules()) WriteRule(line, rule);
  line.CloseArray().Close().Close();
  line.Key("originalUriBaseIds").Open().Key(kSourceRootBase).Open();
  line.Key("uri").String(FolderUri(run_.folder, run_.style)).Close().Close();
  // Columns count characters, as zorvez lint counts them.
  line.Key("columnKind").String("unicodeCodePoints");
  line.Key("results").OpenArray();
  visit_(line.Text() + "\n");
}

SarifRenderer::Level SarifRenderer::LevelOf(Verdict verdict) const {
  if (run_.failing.test(static_cast<size_t>(verdict))) return {nullptr, "error"};
  if (verdict != Verdict::kGreen) return {nullptr, "warning"};
  return run_.include_passes ? Level{"pass", "none"} : Level{nullptr, nullptr};
}

void SarifRenderer::WriteHead(size_t rule, const Level& level, const std::string& text,
                              const SarifMessage& message) {
  JsonLine& line = line_;
  line.Clear();
  line.Open().Key("ruleId").String(SarifRules()[rule].id);
  line.Key("ruleIndex").Number(static_cast<long>(rule));
  if (level.kind != nullptr) line.Key("kind").String(level.kind);
  line.Key("level").String(level.level);
  line.Key("message").Open().Key("text").String(text).Key("id").String(message.id);
  line.Key("arguments").OpenArray();
  for (std::string_view argument : message.arguments) line.String(argument);
  line.CloseArray().Close();
}

void SarifRenderer::WriteLocation(const ArtifactUri& artifact, long line_number, long column,
                                  std::string_view snippet) {
  JsonLine& line = line_;
  line.Key("locations").OpenArray().Open().Key("physicalLocation").Open();
  WriteArtifact(line, artifact);
  if (line_number > 0) {
    line.Key("region").Open().Key("startLine").Number(line_number);
    if (column > 0) line.Key("startColumn").Number(column);
    if (!snippet.empty()) line.Key("snippet").Open().Key("text").String(snippet).Close();
    line.Close();
  }
  line.Close().Close().CloseArray();
}

void SarifRenderer::WriteTail(const Fingerprint& fingerprint, BaselineState state,
                              const char* verdict) {
  JsonLine& line = line_;
  const std::array<char, 32> digits = fingerprint.Digits();
  line.Key("partialFingerprints").Open().Key(kFingerprintKey);
  line.String(std::string_view(digits.data(), digits.size())).Close();
  if (state != BaselineState::kNone) line.Key("baselineState").String(BaselineStateName(state));
  if (state == BaselineState::kUnchanged) {
    line.Key("suppressions").OpenArray().Open().Key("kind").String("external");
    line.Key("justification").String("held by the baseline " + run_.baseline_path).Close();
    line.CloseArray();
  }
  if (verdict != nullptr) line.Key("properties").Open().Key("verdict").String(verdict).Close();
  line.Close();
}

void SarifRenderer::WriteFinding(const ClassFindings& batch, const Finding& finding, size_t index,
                                 const Level& level) {
  const size_t rule = SarifRuleIndex(finding.subject, finding.kind);
  FindingMessage(batch, finding, run_.v5v5, message_);
  WriteHead(rule, level, SarifMessageText(SarifRules()[rule], message_.id, message_.arguments),
            message_);
  if (finding.row) {
    WriteLocation(run_.table, finding.row->line, 0, finding.row->text);
  } else {
    WriteLocation(run_.source, finding.source_line > 0 ? finding.source_line : batch.source_line, 0,
                  {});
  }
  const FindingStamp& stamp = stamps_.Of(index);
  WriteTail(stamp.fingerprint, stamp.state, VerdictName(finding.verdict));
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
    const Level level = LevelOf(finding.verdict);
    if (level.level == nullptr) continue;  // a verdict that passes
    WriteFinding(batch, finding, i, level);
    if (finding.section == ReportSection::kRequestedUnmapped) {
      closing_section_.push_back(line_.Text());
    } else {
      Emit(line_.Text());
    }
  }
}

void SarifRenderer::AcceptHazard(const Hazard& hazard, const FindingStamp& stamp) {
  if (!started_) Start();
  const size_t rule = SarifHazardRuleIndex(hazard.code);
  const std::string argument = HazardArgument(hazard);
  message_.id = "default";
  message_.arguments.assign({argument});
  const Level level{nullptr, run_.hazards_fail ? "error" : "warning"};
  WriteHead(rule, level, SarifMessageText(SarifRules()[rule], message_.id, message_.arguments),
            message_);
  WriteLocation(hazard.file == HazardFile::kTable ? run_.table : run_.source, hazard.line,
                hazard.column, {});
  WriteTail(stamp.fingerprint, stamp.state, nullptr);
  Emit(line_.Text());
}

ArtifactUri SarifRenderer::GoneArtifact(const GonePlace& place) const {
  switch (place.file) {
    case GonePlace::File::kTable:
      return run_.table;
    case GonePlace::File::kSource:
      return run_.source;
    case GonePlace::File::kPath:
      return ArtifactUriOf(place.name, run_.folder, run_.style);
    case GonePlace::File::kUri:
      break;
  }
  return {place.name, place.relative};
}

// An absent result, as the baseline last saw it.
void SarifRenderer::WriteGone(const GoneFinding& gone) {
  std::optional<size_t> rule = SarifRuleNamed(gone.rule);
  if (!rule) return;  // a rule of another zorvez: nothing to say what it was
  const SarifRule& described = SarifRules()[*rule];
  const std::optional<Verdict> verdict = VerdictNamed(gone.verdict);
  Level level{nullptr, run_.hazards_fail ? "error" : "warning"};
  if (!described.hazard) level = LevelOf(verdict.value_or(described.verdict));
  if (level.level == nullptr) return;  // a verdict that passed
  message_.id = kGoneMessage.id;
  message_.arguments.assign({GoneArgument(gone.message)});
  WriteHead(*rule, level, SarifMessageText(described, message_.id, message_.arguments), message_);
  WriteLocation(GoneArtifact(gone.place), gone.place.line, gone.place.column, {});
  WriteTail(gone.fingerprint, BaselineState::kAbsent, verdict ? VerdictName(*verdict) : nullptr);
  Emit(line_.Text());
}

void SarifRenderer::Finish(const ComparisonTotals& totals, const std::vector<GoneFinding>& gone) {
  if (!started_) Start();
  for (const std::string& result : closing_section_) Emit(result);
  closing_section_.clear();
  for (const GoneFinding& finding : gone) WriteGone(finding);
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
