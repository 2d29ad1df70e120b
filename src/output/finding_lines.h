// The sentence the defined report writes for a finding, built once as
// pieces of markup and text: joined whole it is the report's HTML line,
// its text pieces alone are the plain message that other renderers show.
#ifndef ZOR_OUTPUT_FINDING_LINES_H_
#define ZOR_OUTPUT_FINDING_LINES_H_

#include <string>
#include <string_view>

#include "compare/finding.h"

class FindingLine {
 public:
  explicit FindingLine(bool with_plain) : withPlain_(with_plain) {}
  FindingLine& Markup(std::string_view markup);
  FindingLine& Text(std::string_view text);
  // "label (key)", the way every line names a class or an attribute.
  FindingLine& Named(std::string_view label, std::string_view key);

  // Before the report's ampersand escaping.
  const std::string& Html() const { return html_; }
  const std::string& Plain() const { return plain_; }

 private:
  bool withPlain_;
  std::string html_;
  std::string plain_;
};

// The line of `finding`, a finding of `batch`'s class; the V5/V5 run words
// some lines differently.
FindingLine LineOf(const ClassFindings& batch, const Finding& finding, bool v5v5,
                   bool with_plain);

// The orange line of an explicitly unmapped class.
FindingLine UnmappedClassLine(const ClassFindings& batch, bool with_plain);

#endif  // ZOR_OUTPUT_FINDING_LINES_H_
