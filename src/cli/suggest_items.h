// What `zorvez suggest` asks the matcher: both dictionaries as the matcher
// reads them, the pairs the table already maps (its anchors) and the items
// that need a target, taken from the comparison's findings so that an item
// is exactly what `check` reports. Each item keeps why it needs a target and
// the table row involved; each class keeps the names a table row gives it.
#ifndef ZOR_CLI_SUGGEST_ITEMS_H_
#define ZOR_CLI_SUGGEST_ITEMS_H_

#include <deque>
#include <string_view>
#include <string>
#include <vector>

#include "cli/finding_records.h"
#include "suggest/suggest_model.h"

// A class as a row of the table names it: columns 1 and 2 for a source
// class, columns 4 and 5 for a target class; plain (not escaped) text.
struct RowNames {
  std::string name;
  std::string parent;
};

// Small, for there is one per item: hundreds of thousands of attributes.
struct ItemContext {
  std::string_view reason;  // not_in_mapping_table, badly_mapped, target_missing, no_row
  const TableRowRef* row = nullptr;  // the table row involved, kept in SuggestWork::rows
};

struct SuggestWork {
  SuggestInput input;
  std::vector<RowNames> sourceRows;     // per source class
  std::vector<RowNames> targetRows;     // per target class
  std::vector<long> mappedTarget;       // per source class: its found target class, or -1
  std::vector<ItemContext> classContext;      // per class item
  std::vector<ItemContext> attributeContext;  // per attribute item
  std::string targetDomain;             // the target dictionary's Domain, as read
  std::deque<TableRowRef> rows;         // the rows the items name; they never move
};

// Runs the comparison and fills `work`; kExitClean, or kExitTrouble after
// saying on `io.err` why an input cannot be used.
int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work);

// The same, with every class's findings also handed to `alongside` and the
// comparison's totals left in `totals`: a subcommand that shows the findings
// too compares once.
int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work,
                       FindingSink& alongside, ComparisonTotals& totals);

#endif  // ZOR_CLI_SUGGEST_ITEMS_H_
