#include "output/report_writer.h"

#include "text/text_helpers.h"

void WriteReportLine(RunContext& context, ZORUnicodeString line) {
  AmpToggleHTML(line);
  WriteReportRaw(context, line);
}

void WriteReportRaw(RunContext& context, std::string_view text) {
  if (!text.empty())
    context.reportStream.write(text.data(), static_cast<std::streamsize>(text.size()));
}
