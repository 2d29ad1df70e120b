#include "driver/run_context.h"

#include "driver/console.h"

void DevTrace(const RunContext& context, std::string_view line) {
  if (context.settings.devTrace) ConsoleLine(line);
}

void DevTrace(const RunContext& context, std::initializer_list<std::string_view> pieces) {
  if (!context.settings.devTrace) return;
  for (std::string_view piece : pieces) ConsoleWrite(piece);
  ConsoleLine("");
}
