// The completed table rows of every accepted suggestion, in the form
// `zorvez merge` takes: a class row `name,parent,*,TARGET,TARGETPARENT,*,
// DOMAIN,` followed by its attribute rows, values spelled as the table
// spells them. Only rows the merge can place are written: a row for a class
// or attribute without one, or one completing a row left with an empty
// column. A row the table holds completed otherwise is never overridden by
// a merge; for it the completed row is said instead, with its line.
#ifndef ZOR_CLI_SUGGEST_ROWS_H_
#define ZOR_CLI_SUGGEST_ROWS_H_

#include <string>
#include <vector>

#include "cli/suggest_items.h"

struct SuggestedRows {
  std::string text;                // the rows, each ending ",\n"
  std::vector<std::string> notes;  // what was left out and why, for standard error
};

SuggestedRows RowsOfAccepted(const SuggestWork& work, const SuggestOutput& output,
                             const std::string& table_text, const std::string& table_path);

#endif  // ZOR_CLI_SUGGEST_ROWS_H_
