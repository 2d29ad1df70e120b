#include "cli/report_names.h"

#include <algorithm>
#include <string_view>

#include "output/finding_lines.h"
#include "text/quoted_value.h"
#include "text/text_helpers.h"

namespace {

bool HoldsMarkup(std::string_view text) {
  return text.find_first_of("<>") != std::string_view::npos;
}

bool HoldsRowBreak(std::string_view text) {
  return text.find_first_of(",\r\n") != std::string_view::npos;
}

bool NamesSourceAttribute(const Finding& finding) {
  if (finding.subject != FindingSubject::kAttribute) return false;
  switch (finding.kind) {
    case FindingKind::kNotInMappingTable:
    case FindingKind::kClassNotInTarget:
    case FindingKind::kNotFoundInTarget:
    case FindingKind::kNoRow:
    case FindingKind::kDroppedRow:
    case FindingKind::kBadlyMapped:
      return true;
    default:
      return false;
  }
}

std::string Escaped(const std::string& name) {
  ZORUnicodeString text(name);
  AmpToggleHTML(text);
  return std::move(text.str());
}

std::string_view WithoutLineEnd(std::string_view row) {
  if (!row.empty() && row.back() == '\n') row.remove_suffix(1);
  return row;
}

}  // namespace

std::vector<ReportNameWatch::ShownName> ReportNameWatch::NamesOf(const ClassFindings& batch,
                                                                 const Finding& finding) {
  bool source_attribute = NamesSourceAttribute(finding);
  std::vector<ShownName> names{{&batch.label, true},
                               {&batch.key, true},
                               {&batch.parent, true},
                               {&finding.label, source_attribute},
                               {&finding.key, source_attribute},
                               {&finding.detail, false}};
  if (finding.target) {
    for (const std::string* name : {&finding.target->label, &finding.target->key,
                                    &finding.target->parent, &finding.target->target_class}) {
      names.push_back({name, false});
    }
  }
  return names;
}

ReportNameWatch::ReportNameWatch(const FindingRunOptions& run, HazardSeen found)
    : run_(run), found_(std::move(found)) {}

void ReportNameWatch::Accept(const ClassFindings& batch) {
  WatchMarkup(batch);
  WatchProposedRows(batch);
}

std::string ReportNameWatch::SourcePlace(const ClassFindings& batch) const {
  return run_.source_path + ":" + std::to_string(batch.source_line > 0 ? batch.source_line : 1);
}

// Placed where the name can be changed: the class element for the source's
// names, the deciding row for the others.
PlacedHazard ReportNameWatch::MarkupHazard(const ClassFindings& batch, const Finding& finding,
                                           const ShownName& name) const {
  bool in_table = !name.from_source && finding.row.has_value();
  long line = in_table ? finding.row->line : (batch.source_line > 0 ? batch.source_line : 1);
  return {in_table ? run_.mapping_path : run_.source_path,
          {HazardCode::kMarkupName, HazardSeverity::kWarning, line, 1,
           Quoted(*name.text) + " holds '<' or '>', which the defined report writes as markup: "
                                "a browser opening the report runs it or hides the name",
           ""}};
}

// One hazard per name and class.
void ReportNameWatch::WatchMarkup(const ClassFindings& batch) {
  std::set<std::string_view> reported;
  for (const Finding& finding : batch.findings) {
    std::vector<ShownName> names = NamesOf(batch, finding);
    if (std::none_of(names.begin(), names.end(),
                     [](const ShownName& name) { return HoldsMarkup(*name.text); })) {
      continue;  // the common case, decided without writing the line
    }
    std::string line = LineOf(batch, finding, run_.v5v5, LineForm::kPlain).TakeText();
    for (const ShownName& name : names) {
      const std::string& text = *name.text;
      if (!HoldsMarkup(text) || line.find(text) == std::string::npos) continue;
      if (!reported.insert(text).second) continue;
      PlacedHazard placed = MarkupHazard(batch, finding, name);
      if (found_) found_(placed);
      markup_.push_back(std::move(placed));
    }
  }
}

// The rows the defined run would write into the proposed mapping, for the
// names in them that no row can hold.
void ReportNameWatch::WatchProposedRows(const ClassFindings& batch) {
  if (batch.mapping_rows.empty()) return;
  std::vector<const std::string*> names{&batch.label, &batch.key, &batch.parent};
  for (const Finding& finding : batch.findings) {
    if (finding.proposed_rows.empty()) continue;
    names.push_back(&finding.label);
    if (finding.target) names.push_back(&finding.target->key);
  }
  std::set<std::string_view> reported;
  for (const std::string* name : names) {
    if (!HoldsRowBreak(*name) || !reported.insert(*name).second) continue;
    const std::string escaped = Escaped(*name);
    size_t count = 0;
    std::string_view first;
    for (const std::string& row : batch.mapping_rows) {
      if (row.find(*name) == std::string::npos && row.find(escaped) == std::string::npos) continue;
      if (count++ == 0) first = WithoutLineEnd(row);
    }
    if (count == 0) continue;
    bool comma = name->find(',') != std::string::npos;
    unholdable_.push_back(SourcePlace(batch) + ": warning: " + std::to_string(count) +
                          (count == 1 ? " row" : " rows") + " of the proposed mapping " +
                          (count == 1 ? "holds " : "hold ") + Quoted(*name) + ", whose " +
                          (comma ? "comma" : "line end") +
                          " no table row can hold (the reader splits the row there), so " +
                          (count == 1 ? "it" : "they") +
                          " cannot be completed as written; the first: " + Quoted(first));
  }
}
