#include "compare/pass_state.h"

#include "compare/target_catalog.h"
#include "compare/target_walk.h"
#include "dictionary/indexed_cursor.h"
#include "dictionary/scanning_cursor.h"

namespace {

std::unique_ptr<TableCursor> CursorFor(const ZORUnicodeString& table_text,
                                       LookupStrategy strategy) {
  if (strategy == LookupStrategy::kIndexed) return std::make_unique<IndexedCursor>(table_text);
  return std::make_unique<ScanningCursor>(table_text);
}

std::unique_ptr<TargetClasses> TargetsFor(const PassProfile& profile, MigrationXMLNode* root,
                                          LookupStrategy strategy) {
  if (strategy == LookupStrategy::kIndexed) return std::make_unique<TargetCatalog>(profile, root);
  return std::make_unique<TargetWalk>(profile, root);
}

}  // namespace

PassState::PassState(ComparisonState& comparison_state, const ZORUnicodeString& table_text,
                     LookupStrategy strategy)
    : state(comparison_state),
      profile(ProfileFor(comparison_state.settings.v5v5, comparison_state.settings.old_format)),
      table(CursorFor(table_text, strategy)),
      targets(TargetsFor(profile, comparison_state.target_root, strategy)) {}
