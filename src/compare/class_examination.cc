#include "compare/class_examination.h"

#include "compare/attribute_comparison.h"
#include "compare/missing_class.h"
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

ZORUnicodeString OrangeLine(const SourceClass& source) {
  return Join({"<b><font color=\"#FF6600\"><a name=\"", source.key, "\"></a>",
               Named(source.label, source.key),
               "</font><font color=\"#999999\"> was explicitly unmapped in mapping "
               "table.</font></b><br>\n"});
}

// Reads the rows that follow the class row of an explicitly unmapped class
// and returns the names of the attributes it retains, one per line.
ZORUnicodeString ListFollowingRows(PassState& pass, const SourceClass& source,
                                   long& retained_count) {
  RunContext& context = pass.context;
  // The class's own name is taken as written, while each following row's is
  // unescaped: a name written with "&amp;" ends the run at once.
  ZORUnicodeString reference = RawClassRowFields(context.currentLine).sourceClass;
  ZORUnicodeString retained;
  bool orange_written = false;
  while (context.mappingPosition <= context.mappingText.GetLengthInChar()) {
    const ParsedLine& row = ReadRow(pass);
    if (FieldMatches(row.Plain(3), "*") || row.Plain(1) != reference.str()) break;
    std::string_view target_class = row.Plain(4);
    if (target_class.empty() || target_class == "\n") {
      if (!orange_written) WriteReportLine(context, OrangeLine(source));
      orange_written = true;
      WriteReportLine(context, BadlyMappedAttributeLine(row.Plain(3), pass.profile.targetName));
    } else if (target_class.find("No Map") == std::string_view::npos) {  // also "No Mapping"
      DevTrace(context, {"      | Retain attribute: ", row.Plain(3)});
      retained.Append(row.Plain(3));
      retained.Append("\n");
      retained_count += 1;
    }
  }
  if (retained_count == 0 && !orange_written)
    context.unmappedClassesHtml.Append(OrangeLine(source));
  return retained;
}

void ExamineUnmappedClass(PassState& pass, const SourceClass& source) {
  RunContext& context = pass.context;
  context.unmappedRequested += 1;
  DevTrace(context, "      | NO MAPPING requested in map!");
  long retained_count = 0;
  ZORUnicodeString retained = ListFollowingRows(pass, source, retained_count);
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
  WarnChildClasses(pass, RowNameOf(pass.profile, source), retained_count);
}

void ReportValidClass(PassState& pass, const MappedClass& mapped, const TargetClass& target) {
  const SourceClass& source = mapped.source;
  WriteReportLine(
      pass.context,
      Join({"<font color=\"#007200\"><a name=\"", source.key, "\"></a>",
            Named(source.label, source.key), "</font> valid in mapping table and ",
            pass.profile.targetName, " XML (mapped as \"", target.label, "\").<br>\n"}));
  CompareAttributes(pass, mapped, target);
}

// V4/V5: a blue line with a purple reason, or a proposed DDL class.
void ProposeClassForTarget(PassState& pass, const MappedClass& mapped,
                           const ClassRowFields& raw_row) {
  RunContext& context = pass.context;
  const SourceClass& source = mapped.source;
  DevTrace(context, "V5 not found!");
  ZORUnicodeString line =
      Join({"<b><font color=\"#0000FF\"><a name=\"", source.key, "\"></a>",
            Named(source.label, source.key), " not found in existing V5 XML!</font></b>"});
  DevTrace(context, {"MapDomain = ", mapped.mapDomain});
  bool propose = false;
  if (mapped.mapDomain.Matches("")) {
    line.Append(
        " <font color=\"#990099\">Domain missing in mapping table! Couldn't suggest V5 "
        "XML.</font><br>\n");
  } else if (TableNamesTargetClass(pass, raw_row.targetParent)) {
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
      WriteAttributeElement(context,
                            {WithoutWhiteSpace(name), name, "", type, value, mapped.mapDomain},
                            AttributeEnding::kBlankLine);
    }
    WriteReportLine(context, AttributeUnderClassLine("#0000CC", name, short_name, source.label));
    return true;
  });
  if (propose) WriteClassEnd(context);
}

// V5/V5: mapping rows for the user to complete, and no DDL.
void ProposeRowsForTarget(PassState& pass, const SourceClass& source) {
  RunContext& context = pass.context;
  const PassProfile& profile = pass.profile;
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

void ExamineMappedClass(PassState& pass, const MappedClass& mapped) {
  ClassRowFields raw_row = RawClassRowFields(pass.context.currentLine);
  TargetSearch search = SearchTarget(pass, mapped.source, raw_row);
  if (!search.anyTargetClass) return;
  if (search.found) {
    ReportValidClass(pass, mapped, search.target);
  } else if (pass.profile.v5v5) {
    ProposeRowsForTarget(pass, mapped.source);
  } else {
    ProposeClassForTarget(pass, mapped, raw_row);
  }
}

}  // namespace

void ExamineClass(PassState& pass, const SourceClass& source) {
  RunContext& context = pass.context;
  MappedClass mapped{source, {}, RowNameOf(pass.profile, source)};
  ClassRowLookup lookup = LookUpClassRow(pass, mapped.rowName, source.parent);
  mapped.mapDomain = std::move(lookup.mapDomain);
  if (!lookup.found) {
    ReportClassMissingFromTable(pass, mapped);
    return;
  }
  DevTrace(context, "      | FOUND in mapping table!");
  if (context.currentLine.Contains("No Mapping")) {
    ExamineUnmappedClass(pass, source);
    return;
  }
  ExamineMappedClass(pass, mapped);
}
