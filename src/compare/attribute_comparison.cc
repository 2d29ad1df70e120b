#include "compare/attribute_comparison.h"

#include "compare/report_lines.h"
#include "compare/table_lookups.h"
#include "compare/target_search.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "output/ddl_writer.h"
#include "output/mapping_rows.h"
#include "output/report_writer.h"
#include "text/text_helpers.h"

namespace {

struct SourceAttribute {
  ZORUnicodeString label;
  ZORUnicodeString type;
  ZORUnicodeString key;
};

// The attribute's row, taken from the line the lookup stopped on: the
// target fields as written (the check) and the unescaped target attribute.
struct AttributeRow {
  ZORUnicodeString sourceAttribute;
  ZORUnicodeString targetClass;
  ZORUnicodeString targetParent;
  ZORUnicodeString targetAttribute;
  ZORUnicodeString plainTargetAttribute;
};

// The state one class's attribute walk shares between its attributes.
struct AttributeWalk {
  PassState& pass;
  const MappedClass& mapped;
  const TargetClass& target;
  long scanStart;
  bool classHeaderWritten = false;
};

ZORUnicodeString ValidAttributeLine(const TargetAttribute& attribute, const char* target_name) {
  return Join({"&nbsp;&nbsp;&nbsp;<font color=\"#003600\">", Named(attribute.label, attribute.key),
               "</font> valid in mapping table and ", target_name, " XML.<br>\n"});
}

// Reads the rows after the class row until the attribute's row, a "No
// Mapping" row for it, or the first row that belongs neither to the class
// nor to an attribute of this name.
std::optional<AttributeRow> FindAttributeRow(AttributeWalk& walk,
                                             const SourceAttribute& attribute) {
  RunContext& context = walk.pass.context;
  std::string_view label = attribute.label.str();
  bool not_in_mapping = false;
  context.mappingPosition = walk.scanStart;
  while (!not_in_mapping && context.mappingPosition <= context.mappingText.GetLengthInChar()) {
    const ParsedLine& row = ReadRow(walk.pass);
    DevTrace(context, {"      * Domain: ", row.Raw(7)});
    if ((!FieldMatches(label, row.Plain(3)) &&
         !FieldMatches(row.Plain(1), walk.mapped.rowName.str())) ||
        context.mappingPosition > context.mappingText.GetLengthInChar()) {
      not_in_mapping = true;
      DevTrace(context, "      * Attribute not in mapping!");
    }
    if (label != row.Plain(3)) continue;
    if (!not_in_mapping && row.text.find("No Mapping") != std::string_view::npos) {
      DevTrace(context, "      * NO MAPPING requested for attribute!");
      return std::nullopt;
    }
    // Taken even when the end of the table has just ended the search.
    DevTrace(context, "      * FOUND attribute in mapping! Search in V5 XML.");
    return AttributeRow{ZORUnicodeString(row.Raw(3)), ZORUnicodeString(row.Raw(4)),
                        ZORUnicodeString(row.Raw(5)), ZORUnicodeString(row.Raw(6)),
                        ZORUnicodeString(row.Plain(6))};
  }
  return std::nullopt;
}

void ProposeMissingV4Attribute(AttributeWalk& walk, const SourceAttribute& attribute,
                               const ZORUnicodeString& target_attribute) {
  RunContext& context = walk.pass.context;
  const MappedClass& mapped = walk.mapped;
  if (!walk.classHeaderWritten) {
    walk.classHeaderWritten = true;
    WriteClassHead(context, {WithoutWhiteSpace(walk.target.label), walk.target.label,
                             walk.target.parent, walk.target.creator, mapped.mapDomain});
    WriteProposedClassRow(context, mapped.source.label, mapped.source.parent);
  }
  WriteAttributeElement(context,
                        {WithoutWhiteSpace(target_attribute), target_attribute, "", attribute.type,
                         "", mapped.mapDomain},
                        AttributeEnding::kSingleLine);
  WriteReportLine(context, Join({"<b>&nbsp;&nbsp;&nbsp;<font color=\"#0000CC\">",
                                 Named(attribute.label, attribute.key),
                                 " not found in existing V5 XML!</font></b> Provide new "
                                 "attribute in V5 XML DDL.<br>\n"}));
}

// The V5/V5 pass proposes a mapping row for the missing attribute instead of
// a DDL element.
void ProposeMissingV5Attribute(AttributeWalk& walk, const SourceAttribute& attribute,
                               const ZORUnicodeString& target_attribute) {
  RunContext& context = walk.pass.context;
  const MappedClass& mapped = walk.mapped;
  if (!walk.classHeaderWritten) {
    walk.classHeaderWritten = true;
    const ZORUnicodeString& domain =
        mapped.mapDomain.IsEmpty() ? mapped.source.domain : mapped.mapDomain;
    WriteClassHead(context, {walk.target.key, walk.target.label, walk.target.parent,
                             walk.target.creator, domain});
    WriteProposedClassRow(context, mapped.source.key, mapped.source.parent);
  }
  WriteReportLine(context, Join({"<b>&nbsp;&nbsp;&nbsp;<font color=\"#0000CC\">",
                                 Named(attribute.label, attribute.key),
                                 " not found in existing V5B XML!</font></b> Provide new "
                                 "attribute in mapping table and V5 DDL.<br>\n"}));
  WriteProposedTargetAttributeRow(context, mapped.source.key, mapped.source.parent,
                                  target_attribute);
}

// The attribute mapped into the found target class.
void CheckFoundTargetClass(AttributeWalk& walk, const SourceAttribute& attribute,
                           const ZORUnicodeString& target_attribute) {
  const std::vector<TargetAttribute>& candidates = TargetAttributes(walk.pass, walk.target);
  if (candidates.empty()) return;
  for (const TargetAttribute& candidate : candidates) {
    if (candidate.key != target_attribute.str()) continue;
    DevTrace(walk.pass.context, {"      * It's good! Examining attribute (2): ", attribute.label});
    WriteReportLine(walk.pass.context, ValidAttributeLine(candidate, "V5"));
    return;
  }
  if (walk.pass.profile.v5v5) {
    ProposeMissingV5Attribute(walk, attribute, target_attribute);
  } else {
    ProposeMissingV4Attribute(walk, attribute, target_attribute);
  }
}

// The attribute mapped into another target class: only the first class
// whose short parent is the row's is looked at.
void CheckClassFoundByParent(AttributeWalk& walk, const AttributeRow& row) {
  std::optional<TargetClass> target = FirstTargetClassWithShortParent(walk.pass, row.targetParent);
  if (!target) return;
  for (const TargetAttribute& attribute : TargetAttributes(walk.pass, *target)) {
    if (attribute.key != row.targetAttribute.str()) continue;
    WriteReportLine(walk.pass.context, ValidAttributeLine(attribute, walk.pass.profile.targetName));
    return;
  }
}

void CheckTarget(AttributeWalk& walk, const SourceAttribute& attribute, const AttributeRow& row) {
  if (row.targetClass.Matches(walk.target.key) ||
      row.targetParent.Matches(walk.target.shortParent)) {
    CheckFoundTargetClass(walk, attribute, row.plainTargetAttribute);
  } else if (row.targetClass.Matches("") || row.targetParent.Matches("") ||
             row.targetAttribute.Matches("")) {
    WriteReportLine(walk.pass.context,
                    BadlyMappedAttributeLine(row.sourceAttribute, walk.pass.profile.targetName));
  } else {
    CheckClassFoundByParent(walk, row);
  }
}

}  // namespace

void CompareAttributes(PassState& pass, const MappedClass& mapped, const TargetClass& target) {
  const PassProfile& profile = pass.profile;
  AttributeWalk walk{pass, mapped, target, pass.context.mappingPosition};
  ForEachElement(mapped.source.node, "Simple", [&](MigrationXMLNode* node) {
    SourceAttribute attribute{Plain(getValueByTagName(node, profile.sourceAttribute.label)),
                              getValueByTagName(node, "Type"),
                              Plain(getValueByTagName(node, profile.sourceAttribute.key))};
    DevTrace(pass.context, {"      * Examining attribute: ", attribute.label});
    if (std::optional<AttributeRow> row = FindAttributeRow(walk, attribute)) {
      CheckTarget(walk, attribute, *row);
    }
    return true;
  });
  if (walk.classHeaderWritten) WriteClassEnd(pass.context);
}
