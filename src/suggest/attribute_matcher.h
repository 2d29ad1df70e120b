// Ranks target attributes for every attribute item. The first place to look
// is the target class that the item's class maps to (by a row, an accepted
// suggestion, or failing those its best candidate) and that class's
// ancestors, since an attribute found in a parent counts; other classes'
// attributes come from a word index and count for less.
#ifndef ZOR_SUGGEST_ATTRIBUTE_MATCHER_H_
#define ZOR_SUGGEST_ATTRIBUTE_MATCHER_H_

#include <deque>
#include <memory>
#include <vector>

#include "suggest/global_assignment.h"
#include "suggest/hierarchy_evidence.h"
#include "suggest/match_context.h"

// Every item's kept candidates as claims on target attributes, and how the
// items' contest for them came out: what the suggestions are made from,
// apart from the names, which the suggestions no longer need.
struct RankedAttributes {
  std::vector<size_t> first;      // per target class, the number of its first attribute
  std::deque<Claim> claims;       // item by item, best first
  std::vector<size_t> starts;     // per item, where its claims start; one more at the end
  std::vector<Contest> contests;  // per item, when the assignment is in use
  std::vector<int32_t> takers;    // per target attribute, the item that took it
  // Per item: its class has a settled place (a row, or an accepted
  // suggestion), where its attributes are looked for first.
  std::vector<bool> settled_home;
};

// The target attributes by word, for the items that find too little in
// their homes; built once per context.
class AttributeWordIndex;
std::shared_ptr<const AttributeWordIndex> IndexAttributeWords(const MatchContext& context);

// `homes`: per source class, the target classes its attributes look in
// first, the likeliest first.
RankedAttributes RankAttributes(const MatchContext& context,
                                const std::vector<std::vector<ClassImage>>& homes);
RankedAttributes RankAttributes(const MatchContext& context, const AttributeWordIndex& index,
                                const std::vector<std::vector<ClassImage>>& homes);

// Some attribute items ranked again as RankAttributes ranks them, all
// looking in `homes` and nowhere else (a reviewer placed their class
// there): their claims, numbered by `first` (per target class, the number
// of its first attribute), without a contest. `items` are numbers into the
// input's attribute items.
RankedAttributes RankSomeAttributes(const MatchContext& context, const AttributeWordIndex& index,
                                    const std::vector<size_t>& first,
                                    const std::vector<size_t>& items,
                                    const std::vector<ClassImage>& homes);

// The items' contest for the targets they claim, as RankAttributes holds
// it, over the claims numbered by `ranked.first`.
void ContestAttributes(const MatchContext& context, RankedAttributes& ranked);

// The suggestions, in the order of `items` (those ranked); the claims are
// released as they are read.
std::vector<AttributeSuggestion> SuggestAttributes(RankedAttributes ranked,
                                                   const std::vector<AttributeItem>& items,
                                                   const SuggestOptions& options);

#endif  // ZOR_SUGGEST_ATTRIBUTE_MATCHER_H_
