// What every step of one comparison pass shares: the run, the pass's
// profile, and the lookups into the mapping table and the target, made by
// linear scans or through indexes built once.
#ifndef ZOR_COMPARE_PASS_STATE_H_
#define ZOR_COMPARE_PASS_STATE_H_

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "compare/comparison_state.h"
#include "compare/pass_profile.h"
#include "compare/target_catalog.h"
#include "dictionary/lookup_strategy.h"
#include "dictionary/mapping_index.h"
#include "dictionary/parsed_line.h"

struct PassState {
  PassState(ComparisonState& comparison_state, LookupStrategy strategy);

  ComparisonState& state;
  const PassProfile& profile;
  // Present with the indexed strategy only.
  std::optional<MappingIndex> table;
  std::optional<TargetCatalog> targets;
  // The row a linear scan read last, and storage for its unescaped fields.
  ParsedLine linearRow;
  std::deque<std::string> linearPool;
  // The target attributes a linear walk read last.
  std::vector<TargetAttribute> linearAttributes;
  std::deque<std::string> linearAttributePool;
  // The indexed rows read since the last jump, taken apart once: the rows
  // after a class row are read again for every attribute of the class.
  size_t windowStart = 0;
  std::vector<ParsedLine> window;
  std::deque<std::string> windowPool;
};

#endif  // ZOR_COMPARE_PASS_STATE_H_
