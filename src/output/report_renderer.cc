#include "output/report_renderer.h"

#include "output/finding_lines.h"
#include "text/text_helpers.h"

void ReportRenderer::WriteLine(std::string html) {
  ZORUnicodeString line(std::move(html));
  AmpToggleHTML(line);
  out_.write(line.str().data(), static_cast<std::streamsize>(line.str().size()));
}

// An explicitly unmapped class's line heads its badly mapped attributes and
// is written again above its retained ones.
void ReportRenderer::Accept(const ClassFindings& batch) {
  bool unmapped_class = false;
  bool unmapped_line_written = false;
  bool retained_started = false;
  for (const Finding& finding : batch.findings) {
    if (finding.kind == FindingKind::kExplicitlyUnmapped) {
      unmapped_class = true;
      if (finding.section == ReportSection::kRequestedUnmapped) {
        FindingLine line = UnmappedClassLine(batch, LineForm::kHtml);
        unmapped_classes_html_.Append(std::string_view(line.Text()));
      }
      continue;
    }
    if (unmapped_class && finding.subject == FindingSubject::kAttribute) {
      bool heads_retained = finding.kind == FindingKind::kRetained && !retained_started;
      if (heads_retained || !unmapped_line_written) {
        WriteLine(UnmappedClassLine(batch, LineForm::kHtml).TakeText());
        unmapped_line_written = true;
      }
      retained_started = retained_started || finding.kind == FindingKind::kRetained;
    }
    WriteLine(LineOf(batch, finding, v5v5_, LineForm::kHtml).TakeText());
  }
}
