// `zorvez explore --suggest`: the findings of one comparison for the page,
// and the suggestions of `zorvez suggest` for the same inputs to review in
// it. The items, the matcher and the records are those of the suggest
// command itself, so the page shows what `suggest --format jsonl` writes;
// with them go the target dictionary, the row names and the table's
// domains, so that the page's export writes the rows `suggest --format csv`
// writes for the same decisions.
#ifndef ZOR_CLI_EXPLORE_SUGGESTIONS_H_
#define ZOR_CLI_EXPLORE_SUGGESTIONS_H_

#include "cli/finding_records.h"
#include "explore/explore_finding_sink.h"
#include "explore/suggestion_block.h"
#include "suggest/suggest_model.h"

// Compares once: every class's findings go to `findings` (finished with the
// comparison's totals) and the items that need a target to the matcher,
// whose records go into `block`. kExitClean, or kExitTrouble after saying on
// `io.err` why an input cannot be used.
int AddFindingsAndSuggestions(const FindingRunOptions& run, const SuggestOptions& options,
                              CliStreams& io, ExploreFindingSink& findings, SuggestionBlock& block);

#endif  // ZOR_CLI_EXPLORE_SUGGESTIONS_H_
