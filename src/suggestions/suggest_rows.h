// The completed table rows of every accepted suggestion, in the form
// `zorvez merge` takes: a class row `name,parent,*,TARGET,TARGETPARENT,*,
// DOMAIN,` followed by its attribute rows, values spelled as the table
// spells them. Only rows the merge can place are written: a row for a class
// or attribute without one, or one completing a row left with an empty
// column. A row the table holds completed otherwise is never overridden by
// a merge; for it the completed row is said instead, with its line.
#ifndef ZOR_SUGGESTIONS_SUGGEST_ROWS_H_
#define ZOR_SUGGESTIONS_SUGGEST_ROWS_H_

#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "suggestions/suggest_work.h"

// The domains the table's class rows give, by target parent and by source
// parent (columns 5 and 2, plain), as written; the first row wins. A class
// row takes the one of its target parent, else of its source parent, else
// the target dictionary's.
struct TableDomainMaps {
  std::map<std::string, std::string, std::less<>> byTargetParent;
  std::map<std::string, std::string, std::less<>> bySourceParent;
};
TableDomainMaps ReadTableDomains(const std::string& table_text);

// Writes the rows to `out`, each ending ",\n", and returns what was left
// out and why, for standard error.
std::vector<std::string> WriteRowsOfAccepted(std::ostream& out, const SuggestWork& work,
                                             const SuggestOutput& output, const std::string& table_text,
                                             const std::string& table_path);

#endif  // ZOR_SUGGESTIONS_SUGGEST_ROWS_H_
