#include "compare/missing_class.h"

#include "compare/proposed_rows.h"
#include "compare/table_lookups.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "text/text_helpers.h"

namespace {

Finding& AddRedClass(ClassFindings& batch) {
  return batch.Add(FindingSubject::kClass, Verdict::kRed, FindingKind::kNotInMappingTable);
}

// An attribute of a class that has no class row, with the row proposed for
// it.
void AddRedAttribute(ClassFindings& batch, const MigrationXMLNode* element, std::string label,
                     std::string key, std::string proposed_row) {
  Finding& finding =
      batch.Add(FindingSubject::kAttribute, Verdict::kRed, FindingKind::kNotInMappingTable);
  finding.label = std::move(label);
  finding.key = std::move(key);
  finding.source_line = element->line();
  finding.proposed_rows.push_back(proposed_row);
  batch.mapping_rows.push_back(std::move(proposed_row));
}

void ReportMissingV4Class(ClassFindings& batch, const SourceClass& source) {
  Finding& red = AddRedClass(batch);
  std::string class_row = ProposedClassRow(source.label, source.parent);
  red.proposed_rows.push_back(class_row);
  batch.mapping_rows.push_back(std::move(class_row));
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString label = GetValueByTagName(attribute, "Name");
    ZORUnicodeString key = GetValueByTagName(attribute, "ShortName");
    std::string row = ProposedAttributeRow(source.label, source.parent, label);
    AddRedAttribute(batch, attribute, std::move(label.str()), std::move(key.str()), std::move(row));
    return true;
  });
}

void ReportMissingV5Class(ClassFindings& batch, const PassProfile& profile,
                          const MappedClass& mapped) {
  const SourceClass& source = mapped.source;
  Finding& red = AddRedClass(batch);
  red.proposed_in_ddl = true;
  std::string class_row = ProposedClassRow(source.key, source.parent);
  red.proposed_rows.push_back(class_row);
  batch.mapping_rows.push_back(std::move(class_row));
  const ZORUnicodeString& domain = mapped.map_domain.IsEmpty() ? source.domain : mapped.map_domain;
  ProposedDdlClass& ddl = batch.ddl.emplace();
  ddl.head = {source.key.str(), source.label.str(), source.short_parent.str(), source.creator.str(),
              domain.str()};
  ddl.ending = AttributeEnding::kSingleLine;
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString label = GetValueByTagName(attribute, profile.source_attribute.label);
    ZORUnicodeString key = GetValueByTagName(attribute, profile.source_attribute.key);
    ddl.attributes.push_back(
        {WithoutWhiteSpace(label).str(), label.str(), source.creator.str(),
         GetValueByTagName(attribute, "Type").str(),
         GetValueByTagName(attribute, profile.source_attribute.default_value).str(),
         GetValueByTagName(attribute, "Domain").str()});
    std::string row = ProposedAttributeRow(source.key, source.parent, label);
    AddRedAttribute(batch, attribute, std::move(label.str()), std::move(key.str()), std::move(row));
    batch.findings.back().proposed_in_ddl = true;
    return true;
  });
}

}  // namespace

void ReportClassMissingFromTable(PassState& pass, const MappedClass& mapped) {
  pass.state.totals.new_classes_suggested += 1;
  if (pass.profile.v5v5) {
    ReportMissingV5Class(pass.state.batch, pass.profile, mapped);
  } else {
    ReportMissingV4Class(pass.state.batch, mapped.source);
  }
}

void WarnChildClasses(PassState& pass, const ZORUnicodeString& child_search_key,
                      long retained_count) {
  // Without retained attributes no child loses anything.
  if (retained_count <= 0) return;
  auto warn = [&](std::string_view child, long row_start) {
    Finding& finding = pass.state.batch.Add(FindingSubject::kChild, Verdict::kOrange,
                                            FindingKind::kChildLosesAttributes);
    finding.label = std::string(child);
    finding.row = RowAt(pass, row_start);
  };
  pass.table->ForEachChildClassRow(child_search_key.str(), warn);
}
