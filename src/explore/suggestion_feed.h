// The suggestions of one suggestion run, fed into the page's block: its
// items as the records of `suggest --format jsonl` say them, handed over as
// plain data (no text in between), so the page shows what suggest says, and
// with them the target dictionary, the row names and the table's domains,
// so that the page's export writes the rows `suggest --format csv` writes
// for the same decisions.
#ifndef ZOR_EXPLORE_SUGGESTION_FEED_H_
#define ZOR_EXPLORE_SUGGESTION_FEED_H_

#include <string>

#include "explore/suggestion_block.h"
#include "suggestion_run/suggestion_run.h"

void FeedSuggestionBlock(const SuggestionRun& run, SuggestionBlock& block);
// Its first part: all but the items.
void PrepareSuggestionBlock(const SuggestionRun& run, SuggestionBlock& block);

#endif  // ZOR_EXPLORE_SUGGESTION_FEED_H_
