// The mapping-table lookups of a pass, each made by the scan from the
// table's start or through the index, with the same result.
#ifndef ZOR_COMPARE_TABLE_LOOKUPS_H_
#define ZOR_COMPARE_TABLE_LOOKUPS_H_

#include <functional>
#include <optional>
#include <string_view>

#include "compare/pass_state.h"
#include "dictionary/mapping_table.h"

// The class-row lookup: leaves currentLine on the accepted row (or the
// empty line at the end) and mappingPosition on the line after it.
ClassRowLookup LookUpClassRow(PassState& pass, const ZORUnicodeString& name,
                              const ZORUnicodeString& parent);

// Reads the row at mappingPosition into currentLine and moves the position
// past it. The result stays valid until the next row is read.
const ParsedLine& ReadRow(PassState& pass);

// Whether some row names `name` as its target class.
bool TableNamesTargetClass(PassState& pass, const ZORUnicodeString& name);

// Hands the unescaped first field of every class row whose unescaped second
// field equals `parent` to `visit`, in file order, with the row's start.
void ForEachChildClassRow(PassState& pass, const ZORUnicodeString& parent,
                          const std::function<void(std::string_view, long)>& visit);

// The row that starts at `start`, as a finding names it; nothing when the
// comparison does not keep row references.
std::optional<TableRowRef> RowAt(const PassState& pass, long start);

#endif  // ZOR_COMPARE_TABLE_LOOKUPS_H_
