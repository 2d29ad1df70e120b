#include "explore/suggestion_feed.h"

#include <cstring>
#include <ostream>
#include <streambuf>
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

// Hands each record to the block as soon as its line is complete, so that
// the records of a large run are never held as text.
class RecordLines : public std::streambuf {
 public:
  explicit RecordLines(SuggestionBlock& block) : block_(block) {}

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    char one = traits_type::to_char_type(c);
    Take(&one, 1);
    return c;
  }
  std::streamsize xsputn(const char* text, std::streamsize count) override {
    Take(text, static_cast<size_t>(count));
    return count;
  }

 private:
  void Take(const char* text, size_t count) {
    while (count > 0) {
      const char* end = static_cast<const char*>(std::memchr(text, '\n', count));
      if (end == nullptr) {
        line_.append(text, count);
        return;
      }
      line_.append(text, static_cast<size_t>(end - text));
      block_.AddLine(line_);  // a line that is not JSON is left out
      line_.clear();
      count -= static_cast<size_t>(end - text) + 1;
      text = end + 1;
    }
  }

  SuggestionBlock& block_;
  std::string line_;
};

}  // namespace

void FeedSuggestionBlock(const SuggestionRun& run, const std::string& table_path,
                         SuggestionBlock& block) {
  const SuggestWork& work = run.work;
  block.SetDomains(DomainsOf(run.rows.domains, work.target_domain));
  block.SetTablePath(table_path);
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
  RecordLines lines(block);
  std::ostream records(&lines);
  WriteSuggestionRecords(records, work, run.output, run.rows);
}
