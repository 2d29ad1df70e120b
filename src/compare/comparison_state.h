// The shared state of one comparison: its settings, the two documents, the
// totals, and the batch of the class being examined. The mapping table is
// read through the pass's cursor (compare/pass_state.h).
#ifndef ZOR_COMPARE_COMPARISON_STATE_H_
#define ZOR_COMPARE_COMPARISON_STATE_H_

#include <initializer_list>
#include <string_view>

#include "compare/finding.h"
#include "dictionary/migration_xml.h"

struct ComparisonSettings {
  bool v5v5 = false;
  bool old_format = false;
  bool dev_trace = false;
  // Whether findings carry the table rows that decided them; the defined
  // outputs never show them.
  bool row_references = false;
};

// Writes one line of the dev trace, with its line end.
using TraceLineWriter = void (*)(std::string_view line);

struct ComparisonState {
  ComparisonSettings settings;
  TraceLineWriter trace_line = nullptr;
  MigrationXMLNode* source_root = nullptr;
  MigrationXMLNode* target_root = nullptr;
  ComparisonTotals totals;
  ClassFindings batch;
};

// A dev trace line: written only when the dev trace is on. The pieces form
// one line and are not even joined when it is off.
void DevTrace(const ComparisonState& state, std::string_view line);
void DevTrace(const ComparisonState& state, std::initializer_list<std::string_view> pieces);

#endif  // ZOR_COMPARE_COMPARISON_STATE_H_
