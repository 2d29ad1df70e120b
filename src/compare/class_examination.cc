#include "compare/class_examination.h"

#include "compare/attribute_comparison.h"
#include "compare/missing_class.h"
#include "compare/report_lines.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "dictionary/mapping_table.h"
#include "output/ddl_writer.h"
#include "output/mapping_rows.h"
#include "output/report_writer.h"
#include "text/text_helpers.h"

namespace {

ZORUnicodeString OrangeLine(const SourceClass& source) {
  return Join({"<b><font color=\"#FF6600\"><a name=\"", source.key, "\"></a>",
               Named(source.label, source.key),
               "</font><font color=\"#999999\"> was explicitly unmapped in mapping "
               "table.</font></b><br>\n"});
}

// Reads the rows that follow the class row of an explicitly unmapped class
// and returns the names of the attributes it retains, one per line.
ZORUnicodeString ListFollowingRows(RunContext& context, const PassProfile& profile,
                                   const SourceClass& source, long& retained_count) {
  // The class's own name is taken as written, while each following row's is
  // unescaped: a name written with "&amp;" ends the run at once.
  ZORUnicodeString reference = SplitRow(context.currentLine.str(), 7, kNoFields).sourceClass;
  ZORUnicodeString retained;
  bool orange_written = false;
  while (context.mappingPosition <= context.mappingText.GetLengthInChar()) {
    context.currentLine = ReadNextLine(context.mappingText, context.mappingPosition);
    MappingRow row = SplitRow(context.currentLine.str(), 6, kAllFields);
    if (row.sourceAttribute.Matches("*") || !row.sourceClass.Equals(reference)) break;
    if (row.targetClass.Matches("") || row.targetClass.Matches("\n")) {
      if (!orange_written) WriteReportLine(context, OrangeLine(source));
      orange_written = true;
      WriteReportLine(context, BadlyMappedAttributeLine(row.sourceAttribute, profile.targetName));
    } else if (!row.targetClass.Contains("No Map")) {  // also covers "No Mapping"
      DevTrace(context, Join({"      | Retain attribute: ", row.sourceAttribute}));
      retained.Append(row.sourceAttribute);
      retained.Append("\n");
      retained_count += 1;
    }
  }
  if (retained_count == 0 && !orange_written) context.unmappedClassesHtml.Append(OrangeLine(source));
  return retained;
}

void ExamineUnmappedClass(RunContext& context, const PassProfile& profile,
                          const SourceClass& source) {
  context.unmappedRequested += 1;
  DevTrace(context, "      | NO MAPPING requested in map!");
  long retained_count = 0;
  ZORUnicodeString retained = ListFollowingRows(context, profile, source, retained_count);
  if (retained_count > 0) {
    WriteReportLine(context, OrangeLine(source));
    long position = 0;
    for (long i = 0; i < retained_count; ++i) {
      ZORUnicodeString line = ReadNextLine(retained, position);
      WriteReportLine(context, Join({"&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"
                                     "<font color=\"#444444\">",
                                     line, "</font><br>\n"}));
    }
  }
  WarnChildClasses(context, RowNameOf(profile, source), retained_count);
}

bool NamesNoTargetClass(const PassProfile& profile, const MappingRow& raw_row) {
  for (std::string_view code : profile.badMappingCodes) {
    if (raw_row.targetClass.Matches(code)) return raw_row.sourceAttribute.Matches("*");
  }
  return false;
}

// The V4/V5 pass knows the target class by key and short parent; the V5/V5
// pass by label and parent, and then also requires the same UUID.
bool NamesTargetClass(const PassProfile& profile, const TargetClass& target,
                      const MappingRow& raw_row) {
  if (!profile.v5v5) {
    return target.key.Equals(raw_row.targetClass) &&
           target.shortParent.Equals(raw_row.targetParent);
  }
  return target.label.Equals(raw_row.targetClass) && target.parent.Equals(raw_row.targetParent);
}

struct TargetSearch {
  bool anyTargetClass = false;
  bool found = false;
  TargetClass target;
};

TargetSearch SearchTarget(RunContext& context, const PassProfile& profile,
                          const SourceClass& source, const MappingRow& raw_row) {
  DevTrace(context, " &&&& checking v5 %%%%");
  TargetSearch search;
  bool red_written = false;
  ForEachElement(context.targetRoot, "Class", [&](MigrationXMLNode* node) {
    search.anyTargetClass = true;
    TargetClass target = ReadTargetClass(profile, node);
    if (NamesNoTargetClass(profile, raw_row)) {
      DevTrace(context, "Bad mapping!");
      if (!red_written) {
        WriteReportLine(context, Join({"<font color=\"#FF0000\"><a name=\"", source.key,
                                       "\"></a><b>", Named(source.label, source.key),
                                       "</b></font> is badly mapped in mapping table: no ",
                                       profile.targetName, " class specified.<br>\n"}));
      }
      red_written = true;
    }
    if (!NamesTargetClass(profile, target, raw_row)) return true;
    DevTrace(context, Join({"      | FOUND in ", profile.targetName, " XML!"}));
    if (profile.v5v5 && source.uuid.Compare(target.uuid) == ZORUnicodeString::kDifferent) {
      return true;  // same name, another identity: the search goes on
    }
    search.found = true;
    search.target = std::move(target);
    return false;
  });
  return search;
}

void ReportValidClass(RunContext& context, const PassProfile& profile, const MappedClass& mapped,
                      const TargetClass& target) {
  const SourceClass& source = mapped.source;
  WriteReportLine(context, Join({"<font color=\"#007200\"><a name=\"", source.key, "\"></a>",
                                 Named(source.label, source.key),
                                 "</font> valid in mapping table and ", profile.targetName,
                                 " XML (mapped as \"", target.label, "\").<br>\n"}));
  CompareAttributes(context, profile, mapped, target);
}

// V4/V5: a blue line with a purple reason, or a proposed DDL class.
void ProposeClassForTarget(RunContext& context, const MappedClass& mapped,
                           const MappingRow& raw_row) {
  const SourceClass& source = mapped.source;
  DevTrace(context, "V5 not found!");
  ZORUnicodeString line = Join({"<b><font color=\"#0000FF\"><a name=\"", source.key, "\"></a>",
                                Named(source.label, source.key),
                                " not found in existing V5 XML!</font></b>"});
  DevTrace(context, Join({"MapDomain = ", mapped.mapDomain}));
  bool propose = false;
  if (mapped.mapDomain.Matches("")) {
    line.Append(" <font color=\"#990099\">Domain missing in mapping table! Couldn't suggest V5 "
                "XML.</font><br>\n");
  } else if (CheckParent(raw_row.targetParent, context.mappingText) == 1) {
    line.Append(" Provide new class in V5 XML DDL.<br>\n");
    propose = true;
  } else {
    line.Append(Join({" Provide new class in V5 XML DDL. <font color=\"#990099\">Parent (",
                      raw_row.targetParent, ") is not in mapping, or not in XML!</font><br>\n"}));
  }
  WriteReportLine(context, line);
  context.newClassesSuggested += 1;
  if (propose) {
    WriteClassHead(context, {WithoutWhiteSpace(source.label), source.label,
                             WithoutWhiteSpace(raw_row.targetParent), "", mapped.mapDomain});
  }
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString name = Plain(getValueByTagName(attribute, "Name"));
    ZORUnicodeString short_name = Plain(getValueByTagName(attribute, "ShortName"));
    ZORUnicodeString type = Plain(getValueByTagName(attribute, "Type"));
    ZORUnicodeString value = Plain(getValueByTagName(attribute, "Value"));
    if (propose) {
      WriteAttributeElement(context, {WithoutWhiteSpace(name), name, "", type, value,
                                      mapped.mapDomain},
                            AttributeEnding::kBlankLine);
    }
    WriteReportLine(context, AttributeUnderClassLine("#0000CC", name, short_name, source.label));
    return true;
  });
  if (propose) WriteClassEnd(context);
}

// V5/V5: mapping rows for the user to complete, and no DDL.
void ProposeRowsForTarget(RunContext& context, const PassProfile& profile,
                          const SourceClass& source) {
  DevTrace(context, "V5B Not Found!");
  WriteReportLine(context, Join({"<b><font color=\"#0000FF\"><a name=\"", source.key, "\"></a>",
                                 Named(source.label, source.key),
                                 " not found in existing V5B XML a!</font></b> Provide new class "
                                 "in mapping table and V5A DDL.<br>\n"}));
  context.newClassesSuggested += 1;
  WriteProposedClassRow(context, source.key, source.parent, RowEscaping::kAsIs);
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString label = Plain(getValueByTagName(attribute, profile.sourceAttribute.label));
    ZORUnicodeString key = Plain(getValueByTagName(attribute, profile.sourceAttribute.key));
    WriteReportLine(context, AttributeUnderClassLine("#0000CC", label, key, source.label));
    WriteProposedAttributeRow(context, source.key, source.parent, label);
    return true;
  });
}

void ExamineMappedClass(RunContext& context, const PassProfile& profile,
                        const MappedClass& mapped) {
  MappingRow raw_row = SplitRow(context.currentLine.str(), 7, kNoFields);
  TargetSearch search = SearchTarget(context, profile, mapped.source, raw_row);
  if (!search.anyTargetClass) return;
  if (search.found) {
    ReportValidClass(context, profile, mapped, search.target);
  } else if (profile.v5v5) {
    ProposeRowsForTarget(context, profile, mapped.source);
  } else {
    ProposeClassForTarget(context, mapped, raw_row);
  }
}

}  // namespace

void ExamineClass(RunContext& context, const PassProfile& profile, const SourceClass& source) {
  MappedClass mapped{source, {}, RowNameOf(profile, source)};
  ClassRowLookup lookup = findClassRow(context.mappingText, context.mappingPosition,
                                       context.currentLine, mapped.rowName, source.parent);
  mapped.mapDomain = lookup.mapDomain;
  if (!lookup.found) {
    ReportClassMissingFromTable(context, profile, mapped);
    return;
  }
  DevTrace(context, "      | FOUND in mapping table!");
  if (context.currentLine.Contains("No Mapping")) {
    ExamineUnmappedClass(context, profile, source);
    return;
  }
  ExamineMappedClass(context, profile, mapped);
}
