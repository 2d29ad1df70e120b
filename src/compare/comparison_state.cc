#include "compare/comparison_state.h"

#include <string>

void DevTrace(const ComparisonState& state, std::string_view line) {
  if (state.settings.devTrace && state.traceLine) state.traceLine(line);
}

void DevTrace(const ComparisonState& state, std::initializer_list<std::string_view> pieces) {
  if (!state.settings.devTrace || !state.traceLine) return;
  std::string line;
  for (std::string_view piece : pieces) line += piece;
  state.traceLine(line);
}
