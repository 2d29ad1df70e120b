#include "compare/missing_class.h"

#include "compare/report_lines.h"
#include "compare/table_lookups.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "output/ddl_writer.h"
#include "output/mapping_rows.h"
#include "output/report_writer.h"
#include "text/text_helpers.h"

namespace {

void WriteRedClassLine(RunContext& context, const SourceClass& source, const char* advice) {
  WriteReportLine(context, Join({"<b><font color=\"#FF0000\"><a name=\"", source.key, "\"></a>",
                                 Named(source.label, source.key),
                                 " not found in mapping table!</font></b> ", advice, "<br>\n"}));
}

void ReportMissingV4Class(RunContext& context, const SourceClass& source) {
  WriteRedClassLine(context, source, "Provide new class in mapping table.");
  context.newClassesSuggested += 1;
  WriteProposedClassRow(context, source.label, source.parent);
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString label = getValueByTagName(attribute, "Name");
    ZORUnicodeString key = getValueByTagName(attribute, "ShortName");
    WriteProposedAttributeRow(context, source.label, source.parent, label);
    WriteReportLine(context, AttributeUnderClassLine("#CC0000", label, key, source.label));
    return true;
  });
}

void ReportMissingV5Class(RunContext& context, const PassProfile& profile,
                          const MappedClass& mapped) {
  const SourceClass& source = mapped.source;
  WriteRedClassLine(context, source, "Provide new class in mapping table and V5 DDL. 1");
  context.newClassesSuggested += 1;
  const ZORUnicodeString& domain = mapped.mapDomain.IsEmpty() ? source.domain : mapped.mapDomain;
  WriteClassHead(context, {source.key, source.label, source.shortParent, source.creator, domain});
  WriteProposedClassRow(context, source.key, source.parent);
  ForEachElement(source.node, "Simple", [&](MigrationXMLNode* attribute) {
    ZORUnicodeString label = getValueByTagName(attribute, profile.sourceAttribute.label);
    ZORUnicodeString key = getValueByTagName(attribute, profile.sourceAttribute.key);
    WriteAttributeElement(
        context,
        {WithoutWhiteSpace(label), label, source.creator, getValueByTagName(attribute, "Type"),
         getValueByTagName(attribute, profile.sourceAttribute.defaultValue),
         getValueByTagName(attribute, "Domain")},
        AttributeEnding::kSingleLine);
    WriteProposedAttributeRow(context, source.key, source.parent, label);
    WriteReportLine(context, AttributeUnderClassLine("#CC0000", label, key, source.label));
    return true;
  });
  WriteClassEnd(context);
}

}  // namespace

void ReportClassMissingFromTable(PassState& pass, const MappedClass& mapped) {
  if (pass.profile.v5v5) {
    ReportMissingV5Class(pass.context, pass.profile, mapped);
  } else {
    ReportMissingV4Class(pass.context, mapped.source);
  }
}

void WarnChildClasses(PassState& pass, const ZORUnicodeString& child_search_key,
                      long retained_count) {
  // Without retained attributes no child loses anything.
  if (retained_count <= 0) return;
  ForEachChildClassRow(pass, child_search_key, [&](std::string_view child) {
    WriteReportLine(pass.context,
                    Join({"&nbsp;&nbsp;&nbsp;Child <font color=\"#000000\"><b>", child,
                          "</font></b> is now missing the above inherited "
                          "attribute(s).<br>\n"}));
  });
}
