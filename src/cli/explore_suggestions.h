// `zorvez explore --suggest`: the suggestions of `zorvez suggest` for the
// same inputs, put into the page to review. The items, the matcher and the
// records are those of the suggest command itself, so the page shows what
// `suggest --format jsonl` writes; with them go the target dictionary, the
// row names and the table's domains, so that the page's export writes the
// rows `suggest --format csv` writes for the same decisions.
#ifndef ZOR_CLI_EXPLORE_SUGGESTIONS_H_
#define ZOR_CLI_EXPLORE_SUGGESTIONS_H_

#include "cli/finding_records.h"
#include "explore/suggestion_block.h"

// kExitClean, or kExitTrouble after saying on `io.err` why an input cannot
// be used.
int AddSuggestions(const FindingRunOptions& run, CliStreams& io, SuggestionBlock& block);

#endif  // ZOR_CLI_EXPLORE_SUGGESTIONS_H_
