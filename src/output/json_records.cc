#include "output/json_records.h"

#include "output/finding_lines.h"

namespace {

using nlohmann::json;

constexpr Verdict kVerdicts[] = {Verdict::kGreen, Verdict::kBlue, Verdict::kRed, Verdict::kOrange,
                                 Verdict::kPurple};

const char* SubjectName(FindingSubject subject) {
  switch (subject) {
    case FindingSubject::kClass:
      return "class";
    case FindingSubject::kAttribute:
      return "attribute";
    case FindingSubject::kChild:
      return "child";
  }
  return "class";
}

json TargetObject(const std::optional<TargetRef>& target) {
  if (!target) return nullptr;
  json object = json::object();
  if (!target->label.empty()) object["label"] = target->label;
  if (!target->key.empty()) object["key"] = target->key;
  if (!target->parent.empty()) object["parent"] = target->parent;
  if (!target->targetClass.empty()) object["class"] = target->targetClass;
  return object;
}

std::string WithoutLineEnd(std::string row) {
  while (!row.empty() && (row.back() == '\n' || row.back() == '\r')) row.pop_back();
  return row;
}

json ProposalObject(const Finding& finding) {
  json proposal = json::object();
  if (!finding.proposedInDdl) {
    proposal["ddl"] = nullptr;
  } else {
    proposal["ddl"] = finding.subject == FindingSubject::kClass ? "class" : "attribute";
  }
  json rows = json::array();
  for (const std::string& row : finding.proposedRows) rows.push_back(WithoutLineEnd(row));
  proposal["mapping_rows"] = std::move(rows);
  return proposal;
}

std::string Message(const ClassFindings& batch, const Finding& finding, bool v5v5) {
  std::string message = LineOf(batch, finding, v5v5, true).Plain();
  return message;
}

json Record(const ClassFindings& batch, const Finding& finding, bool v5v5) {
  json record = json::object();
  record["record"] = SubjectName(finding.subject);
  if (finding.subject == FindingSubject::kClass) {
    record["section"] =
        finding.section == ReportSection::kBody ? "body" : "requested_unmapped";
  }
  record["verdict"] = VerdictName(finding.verdict);
  record["finding"] = FindingKindName(finding.kind);
  record["class"] = {{"label", batch.label}, {"key", batch.key}, {"parent", batch.parent}};
  if (finding.subject == FindingSubject::kAttribute) {
    record["attribute"] = {{"label", finding.label}, {"key", finding.key}};
  } else if (finding.subject == FindingSubject::kChild) {
    record["child"] = {{"label", finding.label}};
  }
  record["target"] = TargetObject(finding.target);
  record["message"] = Message(batch, finding, v5v5);
  if (finding.row) record["row"] = {{"line", finding.row->line}, {"text", finding.row->text}};
  if (finding.proposedInDdl || !finding.proposedRows.empty()) {
    record["proposal"] = ProposalObject(finding);
  }
  return record;
}

}  // namespace

const char* VerdictName(Verdict verdict) {
  switch (verdict) {
    case Verdict::kGreen:
      return "green";
    case Verdict::kBlue:
      return "blue";
    case Verdict::kRed:
      return "red";
    case Verdict::kOrange:
      return "orange";
    case Verdict::kPurple:
      return "purple";
  }
  return "green";
}

const char* FindingKindName(FindingKind kind) {
  switch (kind) {
    case FindingKind::kNotInMappingTable:
      return "not_in_mapping_table";
    case FindingKind::kBadlyMapped:
      return "badly_mapped";
    case FindingKind::kExplicitlyUnmapped:
      return "explicitly_unmapped";
    case FindingKind::kValid:
      return "valid";
    case FindingKind::kNotFoundInTarget:
      return "not_found_in_target";
    case FindingKind::kUuidDiffers:
      return "uuid_differs";
    case FindingKind::kDomainMissing:
      return "domain_missing";
    case FindingKind::kParentUnknown:
      return "parent_unknown";
    case FindingKind::kClassNotInTarget:
      return "class_not_in_target";
    case FindingKind::kRetained:
      return "retained";
    case FindingKind::kChildLosesAttributes:
      return "child_loses_attributes";
  }
  return "valid";
}

void JsonRecordRenderer::Count(const json& record) {
  if (record["record"] != "class") return;
  for (size_t i = 0; i < std::size(kVerdicts); ++i) {
    if (record["verdict"] == VerdictName(kVerdicts[i])) classVerdicts_[i] += 1;
  }
}

void JsonRecordRenderer::Accept(const ClassFindings& batch) {
  for (const Finding& finding : batch.findings) {
    json record = Record(batch, finding, v5v5_);
    Count(record);
    if (finding.section == ReportSection::kRequestedUnmapped) {
      closingSection_.push_back(std::move(record));
    } else {
      visit_(record);
    }
  }
}

void JsonRecordRenderer::Finish(const ComparisonTotals& totals) {
  for (const json& record : closingSection_) visit_(record);
  closingSection_.clear();
  json verdicts = json::object();
  for (size_t i = 0; i < std::size(kVerdicts); ++i) {
    verdicts[VerdictName(kVerdicts[i])] = classVerdicts_[i];
  }
  visit_({{"record", "summary"},
          {"classes", totals.totalClasses},
          {"verdicts", std::move(verdicts)},
          {"new_classes_suggested", totals.newClassesSuggested},
          {"requested_unmapped", totals.unmappedRequested}});
}
