// What is said of a row of the table that maps a class onto the exact name
// of another class the table leaves out (suggest/suspect_rows.h): the row,
// in the table's own words, and the class that names its target.
#ifndef ZOR_SUGGESTION_RUN_SUSPECT_ROW_NOTES_H_
#define ZOR_SUGGESTION_RUN_SUSPECT_ROW_NOTES_H_

#include <string>
#include <vector>

#include "suggestion_run/suggest_work.h"

// "TABLE:LINE: row LINE maps X onto T, the exact label of Y, which no row
// maps: check the row", one per suspect row, in the order the matcher gave.
std::vector<std::string> SuspectRowNotes(const SuggestWork& work,
                                         const std::vector<SuspectRow>& rows,
                                         const std::string& table_path);

#endif  // ZOR_SUGGESTION_RUN_SUSPECT_ROW_NOTES_H_
