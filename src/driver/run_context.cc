#include "driver/run_context.h"

#include "driver/console.h"

void DevTrace(const RunContext& context, std::string_view line) {
  if (context.settings.devTrace) ConsoleLine(line);
}
