#include "cli/explore_suggestions.h"

#include <sstream>

#include "cli/suggest_items.h"
#include "cli/suggest_report.h"
#include "cli/suggest_rows.h"
#include "merge/whole_file.h"
#include "suggest/suggest_engine.h"

namespace {

SuggestDomains DomainsOf(const std::string& table, const std::string& fallback) {
  TableDomainMaps maps = ReadTableDomains(table);
  SuggestDomains domains;
  domains.byTargetParent.insert(maps.byTargetParent.begin(), maps.byTargetParent.end());
  domains.bySourceParent.insert(maps.bySourceParent.begin(), maps.bySourceParent.end());
  domains.fallback = fallback;
  return domains;
}

}  // namespace

int AddSuggestions(const FindingRunOptions& run, CliStreams& io, SuggestionBlock& block) {
  SuggestWork work;
  if (CollectSuggestWork(run, io, work) != kExitClean) return kExitTrouble;
  std::string table;
  if (std::string failure = ReadWholeFile(run.mappingPath, table); !failure.empty()) {
    ReportError(io, failure);
    return kExitTrouble;
  }
  SuggestOutput output = Suggest(work.input, SuggestOptions{});
  std::ostringstream records;
  WriteSuggestionRecords(records, work, output);
  std::istringstream lines(records.str());
  for (std::string line; std::getline(lines, line);) {
    block.Add(nlohmann::json::parse(line, nullptr, false));  // a line that fails is left out
  }

  for (size_t i = 0; i < work.input.source.size(); ++i) {
    long mapped = work.mappedTarget[i];
    block.SetSourceRow(work.input.source[i].key,
                       {work.sourceRows[i].name, work.sourceRows[i].parent,
                        mapped >= 0 ? work.input.target[static_cast<size_t>(mapped)].key : ""});
  }
  std::vector<SuggestTargetRow> rows;
  for (const RowNames& names : work.targetRows) rows.push_back({names.name, names.parent});
  block.SetTarget(std::move(work.input.target), DomainsOf(table, work.targetDomain),
                  std::move(rows));
  return kExitClean;
}
