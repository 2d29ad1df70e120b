// Arbitrary bytes as a mapping table for zorvez lint: the analysis and the
// repairs. Repairs keep every row, leave nothing they repair behind, and
// repairing a repaired table changes nothing. Any failure aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "lint/table_analysis.h"
#include "lint/table_fix.h"
#include "merge/unified_diff.h"

namespace {

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "lint_fuzzer: %s\n", what);
  std::abort();
}

std::vector<std::string> SortedRows(const TableAnalysis& analysis) {
  std::vector<std::string> rows;
  for (const TextLine& line : analysis.Lines()) {
    if (line.content.find(',') == std::string_view::npos) rows.emplace_back(line.content);
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TableAnalysis analysis(bytes);
  for (const Hazard& hazard : analysis.Found()) {
    Require(hazard.line >= 1 && hazard.column >= 1, "a hazard outside the table");
  }
  if (analysis.Encoding() == TableEncoding::kBinary) return 0;
  TableFix fix = FixTable(analysis);
  UnifiedDiff(analysis.Lines(), fix.lines, "a", "b");
  TableAnalysis after(fix.text);
  // Text full of NUL characters can look wide or binary once it is UTF-8;
  // such a table is unusable either way.
  if (after.Encoding() != TableEncoding::kUtf8) return 0;
  for (const Hazard& hazard : after.Found()) {
    Require(hazard.fix.empty(), "a repaired table still needs a repair");
  }
  Require(FixTable(after).text == fix.text, "repairing twice changes the table");
  // Lines without a comma are no rows: the repairs leave them as they are.
  Require(SortedRows(after) == SortedRows(analysis), "the repairs changed a line without a comma");
  return 0;
}
