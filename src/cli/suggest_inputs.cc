#include "cli/suggest_inputs.h"

int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work) {
  SuggestWorkBuilder builder(ProfileFor(options.v5v5, options.oldFormat), work);
  ComparisonTotals totals;
  const int status = RunFindings(options, io, builder, totals,
                                 [&](MigrationXMLNode* source, MigrationXMLNode* target) {
                                   builder.ReadDictionaries(source, target);
                                 });
  builder.Finish();
  return status;
}
