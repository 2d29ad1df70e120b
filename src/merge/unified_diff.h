// The change a merge makes, as a unified diff with three lines of context.
// A merge only inserts lines and replaces some in place, so the merged
// lines already say which table line each one stands for: no search for a
// shortest edit is needed.
#ifndef ZOR_MERGE_UNIFIED_DIFF_H_
#define ZOR_MERGE_UNIFIED_DIFF_H_

#include <string>
#include <string_view>
#include <vector>

#include "merge/merged_table.h"
#include "merge/text_lines.h"

// Empty when nothing changes.
std::string UnifiedDiff(const std::vector<TextLine>& table, const std::vector<MergedLine>& merged,
                        std::string_view old_name, std::string_view new_name);

#endif  // ZOR_MERGE_UNIFIED_DIFF_H_
