#include "explore/suggestion_feed.h"

#include <string>

#include "explore/review_carry.h"
#include "output/suggest_report.h"

namespace {

SuggestDomains DomainsOf(const TableDomainMaps& maps, const std::string& fallback) {
  SuggestDomains domains;
  domains.by_target_parent.insert(maps.by_target_parent.begin(), maps.by_target_parent.end());
  domains.by_source_parent.insert(maps.by_source_parent.begin(), maps.by_source_parent.end());
  domains.fallback = fallback;
  return domains;
}

}  // namespace

void PrepareSuggestionBlock(const SuggestionRun& run, SuggestionBlock& block) {
  const SuggestWork& work = run.work;
  block.SetDomains(DomainsOf(run.rows.domains, work.target_domain));
  block.SetReviewCarry(MappedItemsJson(work), CarriedDecisionsJson(run.decided));
  for (size_t i = 0; i < work.input.source.size(); ++i) {
    long mapped = work.mapped_target[i];
    block.SetSourceRow(
        work.input.source[i].key.str(),
        {work.source_rows[i].name, work.source_rows[i].parent,
         mapped >= 0 ? work.input.target[static_cast<size_t>(mapped)].key.str() : ""});
  }
  std::vector<SuggestTargetRow> rows;
  for (const RowNames& names : work.target_rows) rows.push_back({names.name, names.parent});
  block.SetTarget(work.input.names, work.input.target, std::move(rows));
}

void FeedSuggestionBlock(const SuggestionRun& run, SuggestionBlock& block) {
  PrepareSuggestionBlock(run, block);
  ForEachSuggestionRecord(run.work, run.output, run.rows,
                          [&](const SuggestionRecord& record) { block.Add(record); });
}
