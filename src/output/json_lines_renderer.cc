#include "output/json_lines_renderer.h"

#include "output/finding_lines.h"
#include "output/finding_names.h"
#include "output/hazard_lines.h"

namespace {

void WriteTarget(JsonLine& line, const std::optional<TargetRef>& target) {
  line.Key("target");
  if (!target) {
    line.Null();
    return;
  }
  line.Open();
  if (!target->label.empty()) line.Key("label").String(target->label);
  if (!target->key.empty()) line.Key("key").String(target->key);
  if (!target->parent.empty()) line.Key("parent").String(target->parent);
  if (!target->target_class.empty()) line.Key("class").String(target->target_class);
  line.Close();
}

std::string_view WithoutLineEnd(std::string_view row) {
  while (!row.empty() && (row.back() == '\n' || row.back() == '\r')) row.remove_suffix(1);
  return row;
}

void WriteProposal(JsonLine& line, const Finding& finding) {
  if (!finding.proposed_in_ddl && finding.proposed_rows.empty()) return;
  line.Key("proposal").Open().Key("ddl");
  if (!finding.proposed_in_ddl) {
    line.Null();
  } else {
    line.String(finding.subject == FindingSubject::kClass ? "class" : "attribute");
  }
  line.Key("mapping_rows").OpenArray();
  for (const std::string& row : finding.proposed_rows) line.String(WithoutLineEnd(row));
  line.CloseArray().Close();
}

}  // namespace

void JsonLinesRenderer::WriteRecord(const ClassFindings& batch, const Finding& finding,
                                    size_t index) {
  JsonLine& line = line_;
  line.Clear();
  line.Open().Key("record").String(SubjectName(finding.subject));
  if (finding.subject == FindingSubject::kClass) {
    bool body = finding.section == ReportSection::kBody;
    line.Key("section").String(body ? "body" : "requested_unmapped");
  }
  line.Key("verdict").String(VerdictName(finding.verdict));
  line.Key("finding").String(FindingKindName(finding.kind));
  line.Key("class").Open().Key("label").String(batch.label).Key("key").String(batch.key);
  line.Key("parent").String(batch.parent).Close();
  if (finding.subject == FindingSubject::kAttribute) {
    line.Key("attribute").Open().Key("label").String(finding.label);
    line.Key("key").String(finding.key).Close();
  } else if (finding.subject == FindingSubject::kChild) {
    line.Key("child").Open().Key("label").String(finding.label).Close();
  }
  WriteTarget(line, finding.target);
  line.Key("message").String(LineOf(batch, finding, v5v5_, LineForm::kPlain).Text());
  if (finding.row) {
    line.Key("row").Open().Key("line").Number(finding.row->line);
    line.Key("text").String(finding.row->text).Close();
  }
  // The element of the dictionary to migrate: the attribute's own, else
  // the class's.
  const long source_line = finding.source_line > 0                     ? finding.source_line
                           : finding.subject == FindingSubject::kClass ? batch.source_line
                                                                       : 0;
  if (source_line > 0) line.Key("source").Open().Key("line").Number(source_line).Close();
  WriteProposal(line, finding);
  if (stamps_ != nullptr) {
    const FindingStamp& stamp = stamps_->Of(index);
    const std::array<char, 32> digits = stamp.fingerprint.Digits();
    line.Key("fingerprint").String(std::string_view(digits.data(), digits.size()));
    if (stamp.state != BaselineState::kNone && with_states_) {
      line.Key("baseline").String(BaselineStateName(stamp.state));
    }
  }
  line.Close();
}

void JsonLinesRenderer::AcceptHazard(const Hazard& hazard, const FindingStamp& stamp) {
  FindingStamp shown = stamp;
  if (!with_states_) shown.state = BaselineState::kNone;
  const std::string_view file =
      RecordNamesFile(hazard) ? HazardPath(hazard, paths_.table, paths_.source) : "";
  visit_(HazardJsonLine(hazard, "hazard", file, stamps_ != nullptr ? &shown : nullptr));
}

void JsonLinesRenderer::Accept(const ClassFindings& batch) {
  for (size_t i = 0; i < batch.findings.size(); ++i) {
    const Finding& finding = batch.findings[i];
    if (finding.subject == FindingSubject::kClass) {
      class_verdicts_[static_cast<size_t>(finding.verdict)] += 1;
    }
    WriteRecord(batch, finding, i);
    if (finding.section == ReportSection::kRequestedUnmapped) {
      closing_section_.push_back(line_.Text());
    } else {
      visit_(line_.Text());
    }
  }
}

void JsonLinesRenderer::Finish(const ComparisonTotals& totals) {
  for (const std::string& record : closing_section_) visit_(record);
  closing_section_.clear();
  JsonLine& line = line_;
  line.Clear();
  line.Open().Key("record").String("summary").Key("classes").Number(totals.total_classes);
  line.Key("verdicts").Open();
  for (Verdict verdict : kAllVerdicts) {
    line.Key(VerdictName(verdict)).Number(class_verdicts_[static_cast<size_t>(verdict)]);
  }
  line.Close();
  line.Key("new_classes_suggested").Number(totals.new_classes_suggested);
  line.Key("requested_unmapped").Number(totals.unmapped_requested);
  line.Key("no_row").Number(totals.attributes_without_row);
  line.Key("dropped_row").Number(totals.dropped_rows);
  if (stamps_ != nullptr && stamps_->HasBaseline() && with_states_) {
    BaselineCounts counts = stamps_->Counts();
    line.Key("baseline").Open().Key("new").Number(counts.new_findings);
    line.Key("unchanged").Number(counts.unchanged).Key("gone").Number(counts.gone).Close();
  }
  line.Close();
  visit_(line.Text());
}
