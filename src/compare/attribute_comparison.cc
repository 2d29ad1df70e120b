#include "compare/attribute_comparison.h"

#include "compare/proposed_rows.h"
#include "compare/table_lookups.h"
#include "compare/target_search.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "text/text_helpers.h"

namespace {

struct SourceAttribute {
  ZORUnicodeString label;
  ZORUnicodeString type;
  ZORUnicodeString key;
  long line = 0;  // of its element
};

// The attribute's row, taken from the line the lookup stopped on: the
// target fields as written (the check) and the unescaped target attribute.
struct AttributeRow {
  ZORUnicodeString source_attribute;
  ZORUnicodeString target_class;
  ZORUnicodeString target_parent;
  ZORUnicodeString target_attribute;
  ZORUnicodeString plain_target_attribute;
  std::optional<TableRowRef> row;
};

// The state one class's attribute walk shares between its attributes.
struct AttributeWalk {
  PassState& pass;
  const MappedClass& mapped;
  const TargetClass& target;
  bool class_header_written = false;
};

Finding& AddAttribute(AttributeWalk& walk, Verdict verdict, FindingKind kind,
                      const SourceAttribute& attribute, const AttributeRow& row) {
  Finding& finding = walk.pass.state.batch.Add(FindingSubject::kAttribute, verdict, kind);
  finding.row = row.row;
  finding.source_line = attribute.line;
  return finding;
}

// A valid attribute is named by its target.
void AddValidAttribute(AttributeWalk& walk, const SourceAttribute& source,
                       const TargetAttribute& attribute, const char* dictionary,
                       const TargetClass& target_class, const AttributeRow& row) {
  Finding& finding = AddAttribute(walk, Verdict::kGreen, FindingKind::kValid, source, row);
  finding.label = std::string(attribute.label);
  finding.key = std::string(attribute.key);
  finding.dictionary = dictionary;
  finding.target = TargetRef{finding.label, finding.key, "", target_class.key.str()};
}

// An attribute that no row of its class's block mentions is not compared
// at all; zorvez says so, the defined report stays silent.
void ReportNoRow(AttributeWalk& walk, const SourceAttribute& attribute) {
  ComparisonState& state = walk.pass.state;
  if (!state.settings.row_references) return;
  Finding& finding =
      state.batch.Add(FindingSubject::kAttribute, Verdict::kGrey, FindingKind::kNoRow);
  finding.label = attribute.label.str();
  finding.key = attribute.key.str();
  finding.row = walk.mapped.class_row;
  finding.source_line = attribute.line;
  state.totals.attributes_without_row += 1;
}

std::optional<AttributeRow> FindAttributeRow(AttributeWalk& walk,
                                             const SourceAttribute& attribute) {
  AttributeRowLookup lookup = LookUpAttributeRow(walk.pass, walk.mapped.following_rows,
                                                 attribute.label.str(), walk.mapped.row_name.str());
  if (lookup.row == nullptr) ReportNoRow(walk, attribute);
  if (lookup.row == nullptr || lookup.unmapped) return std::nullopt;
  const ParsedLine& row = *lookup.row;
  return AttributeRow{ZORUnicodeString(row.Raw(MappingColumn::kSourceAttribute)),
                      ZORUnicodeString(row.Raw(MappingColumn::kTargetClass)),
                      ZORUnicodeString(row.Raw(MappingColumn::kTargetParent)),
                      ZORUnicodeString(row.Raw(MappingColumn::kTargetAttribute)),
                      ZORUnicodeString(row.Plain(MappingColumn::kTargetAttribute)),
                      RowAt(walk.pass, lookup.row_start)};
}

// The class row is proposed once per class, with the first missing
// attribute; so is the target class's head in the DDL. Returns whether this
// call proposed them.
bool ProposeClassOnce(AttributeWalk& walk, DdlClassHead head, const ZORUnicodeString& row_name) {
  if (walk.class_header_written) return false;
  walk.class_header_written = true;
  ClassFindings& batch = walk.pass.state.batch;
  ProposedDdlClass& ddl = batch.ddl.emplace();
  ddl.head = std::move(head);
  ddl.ending = AttributeEnding::kSingleLine;
  batch.mapping_rows.push_back(ProposedClassRow(row_name, walk.mapped.source.parent));
  return true;
}

Finding& AddMissingAttribute(AttributeWalk& walk, const SourceAttribute& attribute,
                             const ZORUnicodeString& target_attribute, const AttributeRow& row,
                             bool carries_class_row) {
  Finding& finding =
      AddAttribute(walk, Verdict::kBlue, FindingKind::kNotFoundInTarget, attribute, row);
  finding.label = attribute.label.str();
  finding.key = attribute.key.str();
  finding.dictionary = walk.pass.profile.target_name;
  finding.target = TargetRef{"", target_attribute.str(), "", walk.target.key.str()};
  if (carries_class_row)
    finding.proposed_rows.push_back(walk.pass.state.batch.mapping_rows.front());
  return finding;
}

void ProposeMissingV4Attribute(AttributeWalk& walk, const SourceAttribute& attribute,
                               const ZORUnicodeString& target_attribute, const AttributeRow& row) {
  const MappedClass& mapped = walk.mapped;
  bool first = ProposeClassOnce(
      walk,
      {WithoutWhiteSpace(walk.target.label).str(), walk.target.label.str(),
       walk.target.parent.str(), walk.target.creator.str(), mapped.map_domain.str()},
      mapped.source.label);
  walk.pass.state.batch.ddl->attributes.push_back({WithoutWhiteSpace(target_attribute).str(),
                                                   target_attribute.str(), "", attribute.type.str(),
                                                   "", mapped.map_domain.str()});
  AddMissingAttribute(walk, attribute, target_attribute, row, first).proposed_in_ddl = true;
}

// The V5/V5 pass proposes a mapping row for the missing attribute instead of
// a DDL element.
void ProposeMissingV5Attribute(AttributeWalk& walk, const SourceAttribute& attribute,
                               const ZORUnicodeString& target_attribute, const AttributeRow& row) {
  const MappedClass& mapped = walk.mapped;
  const ZORUnicodeString& domain =
      mapped.map_domain.IsEmpty() ? mapped.source.domain : mapped.map_domain;
  bool first = ProposeClassOnce(walk,
                                {walk.target.key.str(), walk.target.label.str(),
                                 walk.target.parent.str(), walk.target.creator.str(), domain.str()},
                                mapped.source.key);
  Finding& finding = AddMissingAttribute(walk, attribute, target_attribute, row, first);
  std::string proposed =
      ProposedTargetAttributeRow(mapped.source.key, mapped.source.parent, target_attribute);
  finding.proposed_rows.push_back(proposed);
  walk.pass.state.batch.mapping_rows.push_back(std::move(proposed));
}

// The attribute mapped into the found target class.
void CheckFoundTargetClass(AttributeWalk& walk, const SourceAttribute& attribute,
                           const AttributeRow& row) {
  const ZORUnicodeString& target_attribute = row.plain_target_attribute;
  const std::vector<TargetAttribute>& candidates = walk.pass.targets->Attributes(walk.target);
  if (candidates.empty()) return;
  for (const TargetAttribute& candidate : candidates) {
    if (candidate.key != target_attribute.str()) continue;
    DevTrace(walk.pass.state, {"      * It's good! Examining attribute (2): ", attribute.label});
    AddValidAttribute(walk, attribute, candidate, "V5", walk.target, row);
    return;
  }
  if (walk.pass.profile.v5v5) {
    ProposeMissingV5Attribute(walk, attribute, target_attribute, row);
  } else {
    ProposeMissingV4Attribute(walk, attribute, target_attribute, row);
  }
}

// A row naming another target class whose attribute the run's one look
// does not find: the defined report writes nothing, so the row's author
// never learns that it is not used; zorvez says so. `looked_in` is the key
// of the class looked at, empty when no class has the row's parent.
void ReportDroppedRow(AttributeWalk& walk, const SourceAttribute& attribute,
                      const AttributeRow& row, const std::string& looked_in) {
  ComparisonState& state = walk.pass.state;
  if (!state.settings.row_references) return;
  Finding& finding = AddAttribute(walk, Verdict::kGrey, FindingKind::kDroppedRow, attribute, row);
  finding.label = attribute.label.str();
  finding.key = attribute.key.str();
  finding.detail = looked_in;
  finding.dictionary = walk.pass.profile.target_name;
  finding.target =
      TargetRef{"", row.target_attribute.str(), row.target_parent.str(), row.target_class.str()};
  state.totals.dropped_rows += 1;
}

// The attribute mapped into another target class: only the first class
// whose short parent is the row's is looked at.
void CheckClassFoundByParent(AttributeWalk& walk, const SourceAttribute& source,
                             const AttributeRow& row) {
  const TargetClass* target = FirstTargetClassWithShortParent(walk.pass, row.target_parent);
  if (!target) {
    ReportDroppedRow(walk, source, row, "");
    return;
  }
  for (const TargetAttribute& attribute : walk.pass.targets->Attributes(*target)) {
    if (attribute.key != row.target_attribute.str()) continue;
    AddValidAttribute(walk, source, attribute, walk.pass.profile.target_name, *target, row);
    return;
  }
  ReportDroppedRow(walk, source, row, target->key.str());
}

void CheckTarget(AttributeWalk& walk, const SourceAttribute& attribute, const AttributeRow& row) {
  if (row.target_class.Matches(walk.target.key) ||
      row.target_parent.Matches(walk.target.short_parent)) {
    CheckFoundTargetClass(walk, attribute, row);
  } else if (row.target_class.Matches("") || row.target_parent.Matches("") ||
             row.target_attribute.Matches("")) {
    Finding& finding = AddAttribute(walk, Verdict::kRed, FindingKind::kBadlyMapped, attribute, row);
    finding.label = attribute.label.str();
    finding.key = attribute.key.str();
    finding.detail = row.source_attribute.str();
    finding.dictionary = walk.pass.profile.target_name;
  } else {
    CheckClassFoundByParent(walk, attribute, row);
  }
}

}  // namespace

void CompareAttributes(PassState& pass, const MappedClass& mapped, const TargetClass& target) {
  const PassProfile& profile = pass.profile;
  AttributeWalk walk{pass, mapped, target};
  ForEachElement(mapped.source.node, "Simple", [&](MigrationXMLNode* node) {
    SourceAttribute attribute{Plain(GetValueByTagName(node, profile.source_attribute.label)),
                              GetValueByTagName(node, "Type"),
                              Plain(GetValueByTagName(node, profile.source_attribute.key)),
                              node->line()};
    DevTrace(pass.state, {"      * Examining attribute: ", attribute.label});
    if (std::optional<AttributeRow> row = FindAttributeRow(walk, attribute)) {
      CheckTarget(walk, attribute, *row);
    }
    return true;
  });
}
