// The sentence the defined report writes for a finding, described once as
// pieces of markup and text: joined whole it is the report's HTML line,
// its text pieces alone are the plain message that other renderers show.
#ifndef ZOR_OUTPUT_FINDING_LINES_H_
#define ZOR_OUTPUT_FINDING_LINES_H_

#include <string>
#include <string_view>

#include "compare/finding.h"

enum class LineForm { kHtml, kPlain };

class FindingLine {
 public:
  explicit FindingLine(LineForm form) : form_(form) {}
  FindingLine& Markup(std::string_view markup);
  FindingLine& Text(std::string_view text);
  // "label (key)", the way every line names a class or an attribute.
  FindingLine& Named(std::string_view label, std::string_view key);

  // The line in the form asked for; HTML before the report's ampersand
  // escaping.
  const std::string& Text() const { return text_; }
  std::string&& TakeText() { return std::move(text_); }

 private:
  LineForm form_;
  std::string text_;
};

// The line of `finding`, a finding of `batch`'s class; the V5/V5 run words
// some lines differently.
FindingLine LineOf(const ClassFindings& batch, const Finding& finding, bool v5v5, LineForm form);

// The orange line of an explicitly unmapped class.
FindingLine UnmappedClassLine(const ClassFindings& batch, LineForm form);

#endif  // ZOR_OUTPUT_FINDING_LINES_H_
