// The report's frame: head, table of contents, totals, trailing sections
// and closing tags.
#ifndef ZOR_OUTPUT_REPORT_FRAME_H_
#define ZOR_OUTPUT_REPORT_FRAME_H_

#include <ostream>

#include "compare/finding.h"
#include "dictionary/migration_xml.h"
#include "text/zor_string.h"

struct ReportFrame {
  ZORUnicodeString source_path;
  bool v5v5 = false;
  bool old_format = false;
};

void WriteReportHead(std::ostream& out, const ReportFrame& frame);
// Lists every source class; returns how many there are.
long WriteTableOfContents(std::ostream& out, const ReportFrame& frame,
                          MigrationXMLNode* source_root);
void WriteReportEnd(std::ostream& out, const ReportFrame& frame, const ComparisonTotals& totals,
                    const ZORUnicodeString& unmapped_classes_html);

#endif  // ZOR_OUTPUT_REPORT_FRAME_H_
