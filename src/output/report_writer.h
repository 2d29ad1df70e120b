// Writing lines into the HTML report.
#ifndef ZOR_OUTPUT_REPORT_WRITER_H_
#define ZOR_OUTPUT_REPORT_WRITER_H_

#include <string_view>

#include "driver/run_context.h"

// Writes `line` after escaping its ampersands, as every class and attribute
// line of the report is written.
void WriteReportLine(RunContext& context, ZORUnicodeString line);
// Writes `text` unchanged.
void WriteReportRaw(RunContext& context, std::string_view text);

#endif  // ZOR_OUTPUT_REPORT_WRITER_H_
