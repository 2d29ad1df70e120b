#include "output/report_frame.h"

#include <string_view>

#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "text/text_helpers.h"

namespace {

void WriteText(std::ostream& out, std::string_view text) {
  if (!text.empty()) out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

// In the V5/V5 run the source is called V5A.
const char* SourceName(const ReportFrame& frame) { return frame.v5v5 ? "V5A" : "V4"; }

void WriteTableOfContentsEntry(std::ostream& out, const ReportFrame& frame,
                               MigrationXMLNode* class_node) {
  bool v5_names = frame.v5v5 && !frame.old_format;
  ZORUnicodeString key = GetValueByTagName(class_node, v5_names ? "Name" : "ShortName");
  ZORUnicodeString label = GetValueByTagName(class_node, v5_names ? "DisplayName" : "Name");
  FixWhiteSpace(label);
  ZORUnicodeString entry("<a href=\"#");
  for (const ZORUnicodeString& piece : {key, ZORUnicodeString("\">"), label, ZORUnicodeString(" ("),
                                        key, ZORUnicodeString(")</a><br>\n")}) {
    entry.Append(piece);
  }
  WriteText(out, entry);
}

}  // namespace

void WriteReportHead(std::ostream& out, const ReportFrame& frame) {
  const ZORUnicodeString& path = frame.source_path;
  ZORUnicodeString head("<HTML>\n<HEAD>\n<TITLE>XML Comparator Report for ");
  head.Append(path);
  head.Append("</TITLE>\n</HEAD>\n<BODY>\n<font size=+2>XML Comparator Report for ");
  head.Append(path);
  head.Append("</font><br>\n<br>\n");
  WriteText(out, head);
}

long WriteTableOfContents(std::ostream& out, const ReportFrame& frame,
                          MigrationXMLNode* source_root) {
  ZORUnicodeString links("<a href=\"#comparatortotals\"><b>Comparator Totals</b></a><br>\n");
  links.Append("<a href=\"#unmappedv4classes\"><b>Requested Unmapped ");
  links.Append(SourceName(frame));
  links.Append(" Classes</b></a><br>\n<a href=\"#wrongdomain\"><b>");
  links.Append(SourceName(frame));
  links.Append(" Classes From Other Domains</b></a><br>\n<br>\n");
  WriteText(out, links);

  long count = 0;
  ForEachElement(source_root, "Class", [&](MigrationXMLNode* class_node) {
    WriteTableOfContentsEntry(out, frame, class_node);
    count += 1;
    return true;
  });
  WriteText(out, "<br>\n");
  return count;
}

void WriteReportEnd(std::ostream& out, const ReportFrame& frame, const ComparisonTotals& totals,
                    const ZORUnicodeString& unmapped_classes_html) {
  const char* source = SourceName(frame);
  ZORUnicodeString end(frame.v5v5 ? "<br>\n" : "<br><br>\n");
  end.Append(
      "<font size=\"+1\"><a name=\"comparatortotals\"></a>XML Comparator Totals</font><br>\n");
  end.Append("Total number of classes: ");
  end.Append(ZORUnicodeString::BuildFromNum(totals.total_classes));
  end.Append("<br>\nNew classes suggested: ");
  end.Append(ZORUnicodeString::BuildFromNum(totals.new_classes_suggested));
  end.Append("<br>\nV4 classes requested unmapped: ");
  end.Append(ZORUnicodeString::BuildFromNum(totals.unmapped_requested));
  end.Append("<br>\n<br>\n");
  end.Append("<br>\n<font size=\"+1\"><a name=\"unmappedv4classes\"></a>Requested Unmapped ");
  end.Append(source);
  end.Append(" Classes</font><br>\n");
  end.Append(Html(unmapped_classes_html));
  end.Append("<br>\n<font size=\"+1\"><a name=\"wrongdomain\"></a>");
  end.Append(source);
  end.Append(" Classes From Other Domains</font><br>\n");
  end.Append("</BODY></HTML>\n");
  WriteText(out, end);
}
