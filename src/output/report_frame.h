// The report's frame: head, table of contents, totals, trailing sections
// and closing tags.
#ifndef ZOR_OUTPUT_REPORT_FRAME_H_
#define ZOR_OUTPUT_REPORT_FRAME_H_

#include "driver/run_context.h"

void WriteReportHead(RunContext& context);
// Lists every source class and counts them in totalClasses.
void WriteTableOfContents(RunContext& context);
void WriteReportEnd(RunContext& context);

#endif  // ZOR_OUTPUT_REPORT_FRAME_H_
