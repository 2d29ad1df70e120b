// What every step of one comparison pass shares: the run, the pass's
// profile, the cursor in the mapping table and the target's classes, both
// answered by the lookups of one strategy.
#ifndef ZOR_COMPARE_PASS_STATE_H_
#define ZOR_COMPARE_PASS_STATE_H_

#include <memory>

#include "compare/comparison_state.h"
#include "compare/pass_profile.h"
#include "compare/target_classes.h"
#include "dictionary/lookup_strategy.h"
#include "dictionary/table_cursor.h"

struct PassState {
  // `table_text` is the mapping table as the run holds it (its bytes and one
  // line end more); it must outlive the pass. The target is the one under
  // the state's target root.
  PassState(ComparisonState& comparison_state, const ZORUnicodeString& table_text,
            LookupStrategy strategy);

  ComparisonState& state;
  const PassProfile& profile;
  std::unique_ptr<TableCursor> table;
  std::unique_ptr<TargetClasses> targets;
};

#endif  // ZOR_COMPARE_PASS_STATE_H_
