#include "output/report_markup.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "output/finding_lines.h"
#include "text/quoted_value.h"

namespace {

bool HoldsMarkup(std::string_view text) {
  return text.find_first_of("<>") != std::string_view::npos;
}

// The attribute findings whose label and key are the source attribute's
// own (a valid attribute is named by its target, a retained one by a row).
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

// A name a finding shows, and the line of the dictionary to migrate where
// it is written, 0 for a name that the table or the target gives.
struct ShownName {
  const std::string* text;
  long source_line;
};

long ClassLine(const ClassFindings& batch) { return batch.source_line > 0 ? batch.source_line : 1; }

std::vector<ShownName> NamesOf(const ClassFindings& batch, const Finding& finding) {
  const long class_line = ClassLine(batch);
  const long attribute_line = !NamesSourceAttribute(finding) ? 0
                              : finding.source_line > 0      ? finding.source_line
                                                             : class_line;
  std::vector<ShownName> names{{&batch.label, class_line},     {&batch.key, class_line},
                               {&batch.parent, class_line},    {&finding.label, attribute_line},
                               {&finding.key, attribute_line}, {&finding.detail, 0}};
  if (finding.target) {
    for (const std::string* name : {&finding.target->label, &finding.target->key,
                                    &finding.target->parent, &finding.target->target_class}) {
      names.push_back({name, 0});
    }
  }
  return names;
}

Hazard MarkupHazard(const ClassFindings& batch, const Finding& finding, const ShownName& name) {
  const bool in_table = name.source_line == 0 && finding.row.has_value();
  const long line =
      in_table ? finding.row->line : (name.source_line > 0 ? name.source_line : ClassLine(batch));
  return {HazardCode::kMarkupName,
          HazardSeverity::kWarning,
          line,
          1,
          Quoted(*name.text) +
              " holds '<' or '>', which the defined report writes as markup: "
              "a browser opening the report runs it or hides the name",
          "",
          in_table ? HazardFile::kTable : HazardFile::kSource,
          {*name.text, batch.key, batch.label}};
}

}  // namespace

void FindMarkupNames(const ClassFindings& batch, bool v5v5, Hazards& found) {
  std::set<std::string_view> reported;
  for (const Finding& finding : batch.findings) {
    std::vector<ShownName> names = NamesOf(batch, finding);
    if (std::none_of(names.begin(), names.end(),
                     [](const ShownName& name) { return HoldsMarkup(*name.text); })) {
      continue;  // the common case, decided without writing the line
    }
    const std::string line = LineOf(batch, finding, v5v5, LineForm::kPlain).TakeText();
    for (const ShownName& name : names) {
      const std::string& text = *name.text;
      if (!HoldsMarkup(text) || line.find(text) == std::string::npos) continue;
      if (!reported.insert(text).second) continue;
      found.push_back(MarkupHazard(batch, finding, name));
    }
  }
}
