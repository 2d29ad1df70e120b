// The assignment over all items at once: taken greedily from the best
// pair down, each source class gets one target and each target prefers one
// source. A candidate that another item (or a table row) took with a
// better score is demoted, so two classes do not both take the one target
// that fits one of them clearly better. Two sources keep one target when
// both fit it about equally well and strongly: many-to-one stays possible.
#ifndef ZOR_SUGGEST_GLOBAL_ASSIGNMENT_H_
#define ZOR_SUGGEST_GLOBAL_ASSIGNMENT_H_

#include <cstdint>
#include <deque>
#include <vector>

#include "suggest/suggest_model.h"

// `per_item` holds each item's candidates; they come back re-ranked.
// `rows_taking` counts, per target, the rows of the table that already take it.
// With `takers`, per target the item that took it, or kTakenByNone.
void AssignGlobally(std::vector<std::vector<ClassCandidate>>& per_item,
                    const std::vector<uint32_t>& rows_taking, size_t target_count,
                    const AssignmentRules& rules, std::vector<int32_t>* takers = nullptr);

// The same over candidates kept in one array, as for hundreds of thousands
// of attribute items: item i's are claims[starts[i]] up to claims[starts[i + 1]].
// A deque, so that the caller can release them from the front as it reads them.
struct Claim {
  double score = 0;
  uint32_t target = 0;
  uint32_t evidence = 0;
};

// With `contests`, the claims keep their scores and order (the ranking stays
// the names' and the structure's) and only say which of them another item
// took; per item, the contest says how the list would rank with the
// demotions, for the decision to accept its first candidate.
struct Contest {
  double first = 0;        // the best score after the demotions
  double second = 0;       // the runner-up's, or 0
  bool same_first = true;  // the first candidate stays first
};
// With `takers`, per target the item that took it, or kTakenByNone.
void AssignClaims(std::deque<Claim>& claims, const std::vector<size_t>& starts,
                  const std::vector<uint32_t>& rows_taking, size_t target_count,
                  const AssignmentRules& rules, std::vector<Contest>* contests = nullptr,
                  std::vector<int32_t>* takers = nullptr);

// How much one row taking a target demotes it, as the table's rows show:
// strongly where each row has a target of its own, less the more they share.
double RowTakenFactor(const std::vector<uint32_t>& rows_taking, const AssignmentRules& rules);

// Who took the target of a demoted claim, from the `takers` of AssignClaims.
int32_t TakerOf(const std::vector<int32_t>& takers, const Claim& claim);

#endif  // ZOR_SUGGEST_GLOBAL_ASSIGNMENT_H_
