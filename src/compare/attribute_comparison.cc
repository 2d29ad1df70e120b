#include "compare/attribute_comparison.h"

#include "compare/report_lines.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "dictionary/mapping_table.h"
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

struct TargetAttribute {
  ZORUnicodeString label;
  ZORUnicodeString key;
};

// The state one class's attribute walk shares between its attributes.
struct AttributeWalk {
  RunContext& context;
  const PassProfile& profile;
  const MappedClass& mapped;
  const TargetClass& target;
  long scanStart;
  bool classHeaderWritten = false;
};

constexpr FieldMask kScanSplit = kAllFields & ~FieldBit(7);

TargetAttribute ReadTargetAttribute(const PassProfile& profile, MigrationXMLNode* node) {
  return {Plain(getValueByTagName(node, profile.targetAttribute.label)),
          Plain(getValueByTagName(node, profile.targetAttribute.key))};
}

ZORUnicodeString ValidAttributeLine(const TargetAttribute& attribute, const char* target_name) {
  return Join({"&nbsp;&nbsp;&nbsp;<font color=\"#003600\">", Named(attribute.label, attribute.key),
               "</font> valid in mapping table and ", target_name, " XML.<br>\n"});
}

// Reads the rows after the class row until the attribute's row, a "No
// Mapping" row for it, or the first row that belongs neither to the class
// nor to an attribute of this name. Returns true with the attribute's row in
// currentLine.
bool FindAttributeRow(AttributeWalk& walk, const SourceAttribute& attribute) {
  RunContext& context = walk.context;
  bool not_in_mapping = false;
  bool found = false;
  context.mappingPosition = walk.scanStart;
  while (!not_in_mapping && !found &&
         context.mappingPosition <= context.mappingText.GetLengthInChar()) {
    context.currentLine = ReadNextLine(context.mappingText, context.mappingPosition);
    MappingRow row = SplitRow(context.currentLine.str(), 7, kScanSplit);
    DevTrace(context, Join({"      * Domain: ", row.domain}));
    if ((!attribute.label.Matches(row.sourceAttribute) &&
         !row.sourceClass.Matches(walk.mapped.rowName)) ||
        context.mappingPosition > context.mappingText.GetLengthInChar()) {
      not_in_mapping = true;
      DevTrace(context, "      * Attribute not in mapping!");
    }
    bool names_attribute = attribute.label.Equals(row.sourceAttribute);
    bool unmapped_row = false;
    if (!not_in_mapping && names_attribute && context.currentLine.Contains("No Mapping")) {
      not_in_mapping = unmapped_row = true;
      DevTrace(context, "      * NO MAPPING requested for attribute!");
    }
    // Also made when the end of the table has just ended the search.
    if (names_attribute && !unmapped_row) {
      found = true;
      DevTrace(context, "      * FOUND attribute in mapping! Search in V5 XML.");
    }
  }
  return found;
}

void ProposeMissingV4Attribute(AttributeWalk& walk, const SourceAttribute& attribute,
                               const ZORUnicodeString& target_attribute) {
  RunContext& context = walk.context;
  const MappedClass& mapped = walk.mapped;
  if (!walk.classHeaderWritten) {
    walk.classHeaderWritten = true;
    WriteClassHead(context, {WithoutWhiteSpace(walk.target.label), walk.target.label,
                             walk.target.parent, walk.target.creator, mapped.mapDomain});
    WriteProposedClassRow(context, mapped.source.label, mapped.source.parent);
  }
  WriteAttributeElement(context, {WithoutWhiteSpace(target_attribute), target_attribute, "",
                                  attribute.type, "", mapped.mapDomain},
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
  RunContext& context = walk.context;
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
  bool any = false;
  bool matched = false;
  ForEachElement(walk.target.node, "Simple", [&](MigrationXMLNode* node) {
    any = true;
    TargetAttribute candidate = ReadTargetAttribute(walk.profile, node);
    if (!candidate.key.Equals(target_attribute)) return true;
    matched = true;
    DevTrace(walk.context,
             Join({"      * It's good! Examining attribute (2): ", attribute.label}));
    WriteReportLine(walk.context, ValidAttributeLine(candidate, "V5"));
    return false;
  });
  if (!any || matched) return;
  if (walk.profile.v5v5) {
    ProposeMissingV5Attribute(walk, attribute, target_attribute);
  } else {
    ProposeMissingV4Attribute(walk, attribute, target_attribute);
  }
}

// The attribute mapped into another target class: only the first class
// whose short parent is the row's is looked at.
void CheckClassFoundByParent(AttributeWalk& walk, const MappingRow& raw_row) {
  ForEachElement(walk.context.targetRoot, "Class", [&](MigrationXMLNode* class_node) {
    TargetClass candidate = ReadTargetClass(walk.profile, class_node);
    if (!candidate.shortParent.Equals(raw_row.targetParent)) return true;
    ForEachElement(class_node, "Simple", [&](MigrationXMLNode* node) {
      TargetAttribute attribute = ReadTargetAttribute(walk.profile, node);
      if (!attribute.key.Equals(raw_row.targetAttribute)) return true;
      WriteReportLine(walk.context, ValidAttributeLine(attribute, walk.profile.targetName));
      return false;
    });
    return false;
  });
}

void CheckTarget(AttributeWalk& walk, const SourceAttribute& attribute) {
  const std::string& line = walk.context.currentLine.str();
  MappingRow raw_row = SplitRow(line, 7, kNoFields);
  if (raw_row.targetClass.Matches(walk.target.key) ||
      raw_row.targetParent.Matches(walk.target.shortParent)) {
    CheckFoundTargetClass(walk, attribute, SplitRow(line, 7, kScanSplit).targetAttribute);
  } else if (raw_row.targetClass.Matches("") || raw_row.targetParent.Matches("") ||
             raw_row.targetAttribute.Matches("")) {
    WriteReportLine(walk.context,
                    BadlyMappedAttributeLine(raw_row.sourceAttribute, walk.profile.targetName));
  } else {
    CheckClassFoundByParent(walk, raw_row);
  }
}

}  // namespace

void CompareAttributes(RunContext& context, const PassProfile& profile, const MappedClass& mapped,
                       const TargetClass& target) {
  AttributeWalk walk{context, profile, mapped, target, context.mappingPosition};
  ForEachElement(mapped.source.node, "Simple", [&](MigrationXMLNode* node) {
    SourceAttribute attribute{Plain(getValueByTagName(node, profile.sourceAttribute.label)),
                              getValueByTagName(node, "Type"),
                              Plain(getValueByTagName(node, profile.sourceAttribute.key))};
    DevTrace(context, Join({"      * Examining attribute: ", attribute.label}));
    if (FindAttributeRow(walk, attribute)) CheckTarget(walk, attribute);
    return true;
  });
  if (walk.classHeaderWritten) WriteClassEnd(context);
}
