#include "cli/explore_suggestions.h"

#include <ostream>
#include <streambuf>
#include <string>

#include "cli/suggest_inputs.h"
#include "suggestions/suggest_report.h"
#include "suggestions/row_plan.h"
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

// Hands each record to the block as soon as its line is complete, so that
// the records of a large run are never held as text.
class RecordLines : public std::streambuf {
 public:
  explicit RecordLines(SuggestionBlock& block) : block_(block) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    Take(traits_type::to_char_type(c));
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    for (std::streamsize i = 0; i < count; ++i) Take(text[i]);
    return count;
  }

 private:
  void Take(char c) {
    if (c != '\n') {
      line_.push_back(c);
      return;
    }
    block_.Add(nlohmann::json::parse(line_, nullptr, false));  // a line that fails is left out
    line_.clear();
  }

  SuggestionBlock& block_;
  std::string line_;
};

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
  SuggestDomains domains = DomainsOf(table, work.targetDomain);
  const RowPlan plan = PlanRows(work, output, std::move(table), run.mappingPath);
  RecordLines lines(block);
  std::ostream records(&lines);
  WriteSuggestionRecords(records, work, output, plan);

  for (size_t i = 0; i < work.input.source.size(); ++i) {
    long mapped = work.mappedTarget[i];
    block.SetSourceRow(work.input.source[i].key.str(),
                       {work.sourceRows[i].name, work.sourceRows[i].parent,
                        mapped >= 0 ? work.input.target[static_cast<size_t>(mapped)].key.str() : ""});
  }
  std::vector<SuggestTargetRow> rows;
  for (const RowNames& names : work.targetRows) rows.push_back({names.name, names.parent});
  block.SetTarget(work.input.names, std::move(work.input.target), std::move(domains),
                  std::move(rows));
  return kExitClean;
}
