#include "compare/pass_state.h"

PassState::PassState(RunContext& run_context, LookupStrategy strategy)
    : context(run_context), profile(ProfileFor(run_context.settings)) {
  if (strategy == LookupStrategy::kIndexed) {
    table.emplace(context.mappingText);
    targets.emplace(profile, context.targetRoot);
  }
}
