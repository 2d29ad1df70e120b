#include "compare/class_examination.h"

#include "compare/attribute_comparison.h"
#include "compare/missing_class.h"
#include "compare/proposed_rows.h"
#include "compare/table_lookups.h"
#include "compare/target_search.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "text/text_helpers.h"

namespace {

Finding& AddAttribute(ClassFindings& batch, Verdict verdict, FindingKind kind) {
  return batch.Add(FindingSubject::kAttribute, verdict, kind);
}

// Reads the rows that follow the class row of an explicitly unmapped class:
// badly mapped ones become findings at once, retained ones are gathered one
// per line. Returns how many attributes the class retains.
long ListFollowingRows(PassState& pass, const MappedClass& mapped, ZORUnicodeString& retained,
                       std::vector<std::optional<TableRowRef>>& retained_rows) {
  ComparisonState& state = pass.state;
  TableCursor& table = *pass.table;
  // The class's own name is taken as written, while each following row's is
  // unescaped: a name written with "&amp;" ends the run at once.
  ZORUnicodeString reference = RawClassRowFields(mapped.class_row_text).source_class;
  long retained_count = 0;
  table.MoveTo(mapped.following_rows);
  while (!table.PastEnd()) {
    long row_start = table.Position();
    const ParsedLine& row = table.ReadRow();
    if (FieldMatches(row.Plain(MappingColumn::kSourceAttribute), "*") ||
        row.Plain(MappingColumn::kSourceClass) != reference.str()) {
      break;
    }
    std::string_view target_class = row.Plain(MappingColumn::kTargetClass);
    if (target_class.empty() || target_class == "\n") {
      Finding& finding = AddAttribute(state.batch, Verdict::kRed, FindingKind::kBadlyMapped);
      finding.label = std::string(row.Plain(MappingColumn::kSourceAttribute));
      finding.detail = finding.label;
      finding.dictionary = pass.profile.target_name;
      finding.row = RowAt(pass, row_start);
    } else if (target_class.find("No Map") == std::string_view::npos) {  // also "No Mapping"
      DevTrace(state, {"      | Retain attribute: ", row.Plain(MappingColumn::kSourceAttribute)});
      retained.Append(row.Plain(MappingColumn::kSourceAttribute));
      retained.Append("\n");
      retained_rows.push_back(RowAt(pass, row_start));
      retained_count += 1;
    }
  }
  return retained_count;
}

void ExamineUnmappedClass(PassState& pass, const MappedClass& mapped) {
  ComparisonState& state = pass.state;
  state.totals.unmapped_requested += 1;
  DevTrace(state, "      | NO MAPPING requested in map!");
  size_t class_finding = state.batch.findings.size();
  Finding& orange =
      state.batch.Add(FindingSubject::kClass, Verdict::kOrange, FindingKind::kExplicitlyUnmapped);
  orange.row = mapped.class_row;
  ZORUnicodeString retained;
  std::vector<std::optional<TableRowRef>> retained_rows;
  long retained_count = ListFollowingRows(pass, mapped, retained, retained_rows);
  // Nothing to show in the body: the class is listed at the report's end.
  if (state.batch.findings.size() == class_finding + 1 && retained_count == 0) {
    state.batch.findings[class_finding].section = ReportSection::kRequestedUnmapped;
  }
  long position = 0;
  for (long i = 0; i < retained_count; ++i) {
    ZORUnicodeString line = ReadNextLine(retained, position);
    Finding& finding = AddAttribute(state.batch, Verdict::kOrange, FindingKind::kRetained);
    finding.detail = line.str();
    finding.label = line.str().substr(0, line.str().find('\n'));
    finding.row = std::move(retained_rows[static_cast<size_t>(i)]);
  }
  WarnChildClasses(pass, RowNameOf(pass.profile, mapped.source), retained_count);
}

void ReportValidClass(PassState& pass, const MappedClass& mapped, const TargetClass& target) {
  Finding& finding =
      pass.state.batch.Add(FindingSubject::kClass, Verdict::kGreen, FindingKind::kValid);
  finding.detail = target.label.str();
  finding.dictionary = pass.profile.target_name;
  finding.target = TargetRef{target.label.str(), target.key.str(), target.parent.str(), ""};
  finding.row = mapped.class_row;
  CompareAttributes(pass, mapped, target);
}

// V4/V5: a blue class with a proposed DDL class, or a purple reason.
void ProposeClassForTarget(PassState& pass, const MappedClass& mapped,
                           const ClassRowFields& raw_row) {
  ComparisonState& state = pass.state;
  const SourceClass& source = mapped.source;
  DevTrace(state, "V5 not found!");
  DevTrace(state, {"MapDomain = ", mapped.map_domain});
  Finding& finding =
      state.batch.Add(FindingSubject::kClass, Verdict::kBlue, FindingKind::kNotFoundInTarget);
  finding.target = TargetRef{"", raw_row.target_class.str(), raw_row.target_parent.str(), ""};
  finding.row = mapped.class_row;
  bool propose = false;
  if (mapped.map_domain.Matches("")) {
    finding.verdict = Verdict::kPurple;
    finding.kind = FindingKind::kDomainMissing;
  } else if (pass.table->NamesTargetClass(raw_row.target_parent)) {
    propose = true;
    finding.proposed_in_ddl = true;
  } else {
    finding.verdict = Verdict::kPurple;
    finding.kind = FindingKind::kParentUnknown;
    finding.detail = raw_row.target_parent.str();
  }
  Verdict class_verdict = finding.verdict;
  state.totals.new_classes_suggested += 1;
  if (propose) {
    ProposedDdlClass& ddl = state.batch.ddl.emplace();
    ddl.head = {WithoutWhiteSpace(source.label).str(), source.label.str(),
                WithoutWhiteSpace(raw_row.target_parent).str(), "", mapped.map_domain.str()};
    ddl.ending = AttributeEnding::kBlankLine;
  }
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString name = Plain(GetValueByTagName(attribute, "Name"));
    ZORUnicodeString short_name = Plain(GetValueByTagName(attribute, "ShortName"));
    if (propose) {
      ZORUnicodeString type = Plain(GetValueByTagName(attribute, "Type"));
      ZORUnicodeString value = Plain(GetValueByTagName(attribute, "Value"));
      state.batch.ddl->attributes.push_back({WithoutWhiteSpace(name).str(), name.str(), "",
                                             type.str(), value.str(), mapped.map_domain.str()});
    }
    Finding& listed = AddAttribute(state.batch, class_verdict, FindingKind::kClassNotInTarget);
    listed.label = name.str();
    listed.key = short_name.str();
    listed.source_line = attribute->line();
    listed.proposed_in_ddl = propose;
    return true;
  });
}

// V5/V5: mapping rows for the user to complete, and no DDL.
void ProposeRowsForTarget(PassState& pass, const MappedClass& mapped, bool identity_differs) {
  ComparisonState& state = pass.state;
  const PassProfile& profile = pass.profile;
  const SourceClass& source = mapped.source;
  DevTrace(state, "V5B Not Found!");
  Finding& finding = state.batch.Add(
      FindingSubject::kClass, Verdict::kBlue,
      identity_differs ? FindingKind::kUuidDiffers : FindingKind::kNotFoundInTarget);
  finding.row = mapped.class_row;
  std::string class_row = ProposedClassRow(source.key, source.parent, RowEscaping::kAsIs);
  finding.proposed_rows.push_back(class_row);
  state.batch.mapping_rows.push_back(std::move(class_row));
  state.totals.new_classes_suggested += 1;
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString label = Plain(GetValueByTagName(attribute, profile.source_attribute.label));
    ZORUnicodeString key = Plain(GetValueByTagName(attribute, profile.source_attribute.key));
    Finding& listed = AddAttribute(state.batch, Verdict::kBlue, FindingKind::kClassNotInTarget);
    listed.label = label.str();
    listed.key = key.str();
    listed.source_line = attribute->line();
    std::string row = ProposedAttributeRow(source.key, source.parent, label);
    listed.proposed_rows.push_back(row);
    state.batch.mapping_rows.push_back(std::move(row));
    return true;
  });
}

void ExamineMappedClass(PassState& pass, const MappedClass& mapped) {
  ClassRowFields raw_row = RawClassRowFields(mapped.class_row_text);
  TargetSearch search = SearchTarget(pass, mapped, raw_row);
  if (!search.any_target_class) return;
  if (search.found) {
    ReportValidClass(pass, mapped, search.target);
  } else if (pass.profile.v5v5) {
    ProposeRowsForTarget(pass, mapped, search.identity_differs);
  } else {
    ProposeClassForTarget(pass, mapped, raw_row);
  }
}

}  // namespace

void ExamineClass(PassState& pass, const SourceClass& source) {
  ComparisonState& state = pass.state;
  ClassFindings& batch = state.batch;
  batch.Clear();
  batch.label = source.label.str();
  batch.key = source.key.str();
  batch.parent = source.parent.str();
  batch.source_line = source.node ? source.node->line() : 0;
  MappedClass mapped;
  mapped.source = source;
  mapped.row_name = RowNameOf(pass.profile, source);
  ClassRowLookup lookup = pass.table->FindClassRow(mapped.row_name, source.parent);
  mapped.map_domain = std::move(lookup.map_domain);
  if (!lookup.found) {
    ReportClassMissingFromTable(pass, mapped);
    return;
  }
  mapped.class_row = RowAt(pass, lookup.row_start);
  mapped.class_row_text = lookup.row;
  mapped.following_rows = pass.table->Position();
  DevTrace(state, "      | FOUND in mapping table!");
  if (lookup.row.find("No Mapping") != std::string_view::npos) {
    ExamineUnmappedClass(pass, mapped);
    return;
  }
  ExamineMappedClass(pass, mapped);
}
