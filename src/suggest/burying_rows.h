// Rows of the table that map a class onto a target another class names
// exactly, where that other class has no row of its own: "Gland" mapped
// onto "Seal Housing" while "Seal Housing" waits for a target. Such a row is
// more often a slip than a choice, and it must not bury the exact name: the
// matcher keeps the target first for the class that names it, and the row
// is named as burying it. A target several rows gather (rooms of many kinds
// to "Room"), or one a row maps a class of that very name onto (a twin),
// buries nothing.
#ifndef ZOR_SUGGEST_BURYING_ROWS_H_
#define ZOR_SUGGEST_BURYING_ROWS_H_

#include <vector>

#include "suggest/suggest_model.h"

// In the order of the class items, then of the rows.
std::vector<BuryingRow> FindBuryingRows(const SuggestInput& input);

#endif  // ZOR_SUGGEST_BURYING_ROWS_H_
