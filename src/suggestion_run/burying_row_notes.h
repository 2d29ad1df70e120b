// What is said of a row of the table that maps a class onto the exact name
// of another class the table leaves out (suggest/burying_rows.h): the row,
// in the table's own words, and the class that names its target. `suggest`
// says it on standard error, `check` as a hazard of the table.
#ifndef ZOR_SUGGESTION_RUN_BURYING_ROW_NOTES_H_
#define ZOR_SUGGESTION_RUN_BURYING_ROW_NOTES_H_

#include <string>
#include <vector>

#include "suggestion_run/suggest_work.h"

struct BuryingRowWords {
  long line = 0;          // the row's line in the table, from 1; 0 when unknown
  std::string row_class;  // the row's class and parent, as the table writes them
  std::string row_parent;
  std::string item;      // the class that names the target exactly
  std::string sentence;  // "row N maps X onto T, the exact label of Y, which no row maps"
};

// One per burying row the matcher gave, in its order.
std::vector<BuryingRowWords> DescribeBuryingRows(const SuggestWork& work,
                                                 const std::vector<BuryingRow>& rows);

// "TABLE:LINE: row LINE maps X onto T, the exact label of Y, which no row
// maps: check the row", one per burying row.
std::vector<std::string> BuryingRowNotes(const SuggestWork& work,
                                         const std::vector<BuryingRow>& rows,
                                         const std::string& table_path);

#endif  // ZOR_SUGGESTION_RUN_BURYING_ROW_NOTES_H_
