#include "compare/comparison_state.h"

#include <string>

void DevTrace(const ComparisonState& state, std::string_view line) {
  if (state.settings.dev_trace && state.trace_line) state.trace_line(line);
}

void DevTrace(const ComparisonState& state, std::initializer_list<std::string_view> pieces) {
  if (!state.settings.dev_trace || !state.trace_line) return;
  std::string line;
  for (std::string_view piece : pieces) line += piece;
  state.trace_line(line);
}
