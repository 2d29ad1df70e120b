#include "explore/explore_finding_sink.h"

#include "explore/script_safe_json.h"
#include "output/finding_lines.h"
#include "output/finding_names.h"

namespace {

// The members of a target the records carry, in the order the record
// reader sorts them: class, key, label, parent; empty ones are left out.
void AppendTarget(std::string& out, const std::optional<TargetRef>& target) {
  if (!target) {
    out += "null";
    return;
  }
  const std::pair<const char*, const std::string*> members[] = {{"class", &target->target_class},
                                                                {"key", &target->key},
                                                                {"label", &target->label},
                                                                {"parent", &target->parent}};
  out += '{';
  bool first = true;
  for (const auto& [name, value] : members) {
    if (value->empty()) continue;
    if (!first) out += ',';
    first = false;
    out += '"';
    out += name;
    out += "\":";
    AppendScriptSafeString(out, *value);
  }
  out += '}';
}

void AppendRow(std::string& out, const std::optional<TableRowRef>& row) {
  if (!row) {
    out += "null";
    return;
  }
  out += '[';
  out += std::to_string(row->line);
  out += ',';
  AppendScriptSafeString(out, row->text);
  out += ']';
}

std::string_view WithoutLineEnd(std::string_view row) {
  while (!row.empty() && (row.back() == '\n' || row.back() == '\r')) row.remove_suffix(1);
  return row;
}

void AppendProposal(std::string& out, const Finding& finding) {
  if (!finding.proposed_in_ddl && finding.proposed_rows.empty()) {
    out += "null";
    return;
  }
  if (!finding.proposed_in_ddl) {
    out += "[null,[";
  } else {
    out += finding.subject == FindingSubject::kClass ? "[\"class\",[" : "[\"attribute\",[";
  }
  for (size_t i = 0; i < finding.proposed_rows.size(); ++i) {
    if (i > 0) out += ',';
    AppendScriptSafeString(out, WithoutLineEnd(finding.proposed_rows[i]));
  }
  out += "]]";
}

}  // namespace

void ExploreFindingSink::WriteOutcome(std::string& out, const ClassFindings& batch,
                                      const Finding& finding) {
  AppendTarget(out, finding.target);
  out += ',';
  AppendScriptSafeString(out, LineOf(batch, finding, v5v5_, LineForm::kPlain).Text());
  out += ',';
  AppendRow(out, finding.row);
  out += ',';
  AppendProposal(out, finding);
}

void ExploreFindingSink::Write(const ClassFindings& batch, const Finding& finding) {
  const std::string_view verdict = VerdictName(finding.verdict);
  const std::string_view kind = FindingKindName(finding.kind);
  switch (finding.subject) {
    case FindingSubject::kClass: {
      bool body = finding.section == ReportSection::kBody;
      std::string& out = writer_.BeginClass(verdict, kind, batch.label, batch.key, batch.parent,
                                            body ? "body" : "requested_unmapped");
      WriteOutcome(out, batch, finding);
      break;
    }
    case FindingSubject::kAttribute: {
      if (!writer_.HasClass()) return;
      std::string& out = writer_.BeginItem(0, verdict, kind, finding.label, finding.key);
      WriteOutcome(out, batch, finding);
      writer_.EndItem();
      break;
    }
    case FindingSubject::kChild: {
      if (!writer_.HasClass()) return;
      std::string& out = writer_.BeginItem(1, verdict, kind, finding.label, "");
      AppendScriptSafeString(out, LineOf(batch, finding, v5v5_, LineForm::kPlain).Text());
      out += ',';
      AppendRow(out, finding.row);
      writer_.EndItem();
      break;
    }
  }
  writer_.Flush();
}

void ExploreFindingSink::Accept(const ClassFindings& batch) {
  ClassFindings* held = nullptr;
  for (const Finding& finding : batch.findings) {
    if (finding.subject == FindingSubject::kClass) {
      class_verdicts_[static_cast<size_t>(finding.verdict)] += 1;
    }
    if (finding.section != ReportSection::kRequestedUnmapped) {
      Write(batch, finding);
      continue;
    }
    if (held == nullptr) {
      held = &closing_section_.emplace_back(batch);
      held->findings.clear();
    }
    held->findings.push_back(finding);
  }
}

void ExploreFindingSink::Finish(const ComparisonTotals& totals) {
  for (const ClassFindings& batch : closing_section_) {
    for (const Finding& finding : batch.findings) Write(batch, finding);
  }
  closing_section_.clear();
  // The summary record as the record reader has it (members sorted).
  nlohmann::json summary = {{"record", "summary"},
                            {"classes", totals.total_classes},
                            {"new_classes_suggested", totals.new_classes_suggested},
                            {"requested_unmapped", totals.unmapped_requested},
                            {"no_row", totals.attributes_without_row},
                            {"dropped_row", totals.dropped_rows}};
  nlohmann::json& verdicts = summary["verdicts"] = nlohmann::json::object();
  for (Verdict verdict : kAllVerdicts) {
    verdicts[VerdictName(verdict)] = class_verdicts_[static_cast<size_t>(verdict)];
  }
  writer_.SetSummary(ScriptSafeJson(summary));
}
