#include "compare/pass_state.h"

PassState::PassState(ComparisonState& comparison_state, LookupStrategy strategy)
    : state(comparison_state),
      profile(ProfileFor(comparison_state.settings.v5v5, comparison_state.settings.oldFormat)) {
  if (strategy == LookupStrategy::kIndexed) {
    table.emplace(state.mappingText);
    targets.emplace(profile, state.targetRoot);
  }
}
