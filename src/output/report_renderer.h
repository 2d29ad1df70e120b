// The defined report's body: one line per finding, written as the findings
// of each class arrive, and the explicitly unmapped classes gathered for the
// section at the report's end.
#ifndef ZOR_OUTPUT_REPORT_RENDERER_H_
#define ZOR_OUTPUT_REPORT_RENDERER_H_

#include <ostream>

#include "compare/finding.h"
#include "text/zor_string.h"

class ReportRenderer : public FindingSink {
 public:
  ReportRenderer(std::ostream& out, bool v5v5) : out_(out), v5v5_(v5v5) {}
  void Accept(const ClassFindings& batch) override;
  // The section's lines, before the report's ampersand escaping.
  const ZORUnicodeString& UnmappedClassesHtml() const { return unmapped_classes_html_; }

 private:
  void WriteLine(std::string html);

  std::ostream& out_;
  bool v5v5_;
  ZORUnicodeString unmapped_classes_html_;
};

#endif  // ZOR_OUTPUT_REPORT_RENDERER_H_
