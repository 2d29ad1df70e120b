#include "output/report_frame.h"

#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "output/report_writer.h"
#include "text/text_helpers.h"

namespace {

// In the V5/V5 run the source is called V5A.
const char* SourceName(const RunContext& context) {
  return context.settings.v5v5Mode ? "V5A" : "V4";
}

void WriteTableOfContentsEntry(RunContext& context, MigrationXMLNode* class_node) {
  bool v5_names = context.settings.v5v5Mode && !context.settings.oldFormat;
  ZORUnicodeString key = getValueByTagName(class_node, v5_names ? "Name" : "ShortName");
  ZORUnicodeString label = getValueByTagName(class_node, v5_names ? "DisplayName" : "Name");
  FixWhiteSpace(label);
  ZORUnicodeString entry("<a href=\"#");
  for (const ZORUnicodeString& piece : {key, ZORUnicodeString("\">"), label, ZORUnicodeString(" ("),
                                        key, ZORUnicodeString(")</a><br>\n")}) {
    entry.Append(piece);
  }
  WriteReportRaw(context, entry);
}

}  // namespace

void WriteReportHead(RunContext& context) {
  const ZORUnicodeString& path = context.settings.sourceXmlPath;
  ZORUnicodeString head("<HTML>\n<HEAD>\n<TITLE>XML Comparator Report for ");
  head.Append(path);
  head.Append("</TITLE>\n</HEAD>\n<BODY>\n<font size=+2>XML Comparator Report for ");
  head.Append(path);
  head.Append("</font><br>\n<br>\n");
  WriteReportRaw(context, head);
}

void WriteTableOfContents(RunContext& context) {
  ZORUnicodeString links("<a href=\"#comparatortotals\"><b>Comparator Totals</b></a><br>\n");
  links.Append("<a href=\"#unmappedv4classes\"><b>Requested Unmapped ");
  links.Append(SourceName(context));
  links.Append(" Classes</b></a><br>\n<a href=\"#wrongdomain\"><b>");
  links.Append(SourceName(context));
  links.Append(" Classes From Other Domains</b></a><br>\n<br>\n");
  WriteReportRaw(context, links);

  ForEachElement(context.sourceRoot, "Class", [&](MigrationXMLNode* class_node) {
    WriteTableOfContentsEntry(context, class_node);
    context.totalClasses += 1;
    return true;
  });
  WriteReportRaw(context, "<br>\n");
}

void WriteReportEnd(RunContext& context) {
  const char* source = SourceName(context);
  ZORUnicodeString end(context.settings.v5v5Mode ? "<br>\n" : "<br><br>\n");
  end.Append(
      "<font size=\"+1\"><a name=\"comparatortotals\"></a>XML Comparator Totals</font><br>\n");
  end.Append("Total number of classes: ");
  end.Append(ZORUnicodeString::BuildFromNum(context.totalClasses));
  end.Append("<br>\nNew classes suggested: ");
  end.Append(ZORUnicodeString::BuildFromNum(context.newClassesSuggested));
  end.Append("<br>\nV4 classes requested unmapped: ");
  end.Append(ZORUnicodeString::BuildFromNum(context.unmappedRequested));
  end.Append("<br>\n<br>\n");
  end.Append("<br>\n<font size=\"+1\"><a name=\"unmappedv4classes\"></a>Requested Unmapped ");
  end.Append(source);
  end.Append(" Classes</font><br>\n");
  end.Append(Html(context.unmappedClassesHtml));
  end.Append("<br>\n<font size=\"+1\"><a name=\"wrongdomain\"></a>");
  end.Append(source);
  end.Append(" Classes From Other Domains</font><br>\n");
  end.Append("</BODY></HTML>\n");
  WriteReportRaw(context, end);
}
