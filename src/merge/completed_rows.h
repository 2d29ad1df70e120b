// The rows of a completed proposed-mapping file: the file a run writes,
// with its empty target columns filled in by the user. Both runs' row
// shapes are read alike; blank lines and a leading byte-order mark are
// passed over.
#ifndef ZOR_MERGE_COMPLETED_ROWS_H_
#define ZOR_MERGE_COMPLETED_ROWS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "merge/row_check.h"

struct CompletedRow {
  size_t lineNumber = 0;     // from 1, in the completed file
  std::string_view content;  // without its line end, pointing into the file's text
  RowCheck check;
  // The first three columns with "&amp;" undone, as the lookups compare
  // them; empty when the row does not have them.
  std::string name;
  std::string parent;
  std::string attribute;
};

// `text` must outlive the rows.
std::vector<CompletedRow> ReadCompletedRows(std::string_view text);

#endif  // ZOR_MERGE_COMPLETED_ROWS_H_
