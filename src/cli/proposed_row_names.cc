#include "cli/proposed_row_names.h"

#include <set>
#include <string_view>

#include "dictionary/mapping_columns.h"
#include "text/quoted_value.h"
#include "text/text_helpers.h"

namespace {

std::string Escaped(const std::string& name) {
  ZORUnicodeString text(name);
  AmpToggleHTML(text);
  return std::move(text.str());
}

std::string_view WithoutLineEnd(std::string_view row) {
  if (!row.empty() && row.back() == '\n') row.remove_suffix(1);
  return row;
}

}  // namespace

void ProposedRowNames::Accept(const ClassFindings& batch) {
  if (batch.mapping_rows.empty()) return;
  std::vector<const std::string*> names{&batch.label, &batch.key, &batch.parent};
  for (const Finding& finding : batch.findings) {
    if (finding.proposed_rows.empty()) continue;
    names.push_back(&finding.label);
    if (finding.target) names.push_back(&finding.target->key);
  }
  std::set<std::string_view> reported;
  for (const std::string* name : names) {
    if (!NoRowCanHold(*name) || !reported.insert(*name).second) continue;
    const std::string escaped = Escaped(*name);
    size_t count = 0;
    std::string_view first;
    for (const std::string& row : batch.mapping_rows) {
      if (row.find(*name) == std::string::npos && row.find(escaped) == std::string::npos) continue;
      if (count++ == 0) first = WithoutLineEnd(row);
    }
    if (count == 0) continue;
    const bool comma = name->find(',') != std::string::npos;
    const long line = batch.source_line > 0 ? batch.source_line : 1;
    messages_.push_back(source_path_ + ":" + std::to_string(line) +
                        ": warning: " + std::to_string(count) + (count == 1 ? " row" : " rows") +
                        " of the proposed mapping " + (count == 1 ? "holds " : "hold ") +
                        Quoted(*name) + ", whose " + (comma ? "comma" : "line end") +
                        " no table row can hold (the reader splits the row there), so " +
                        (count == 1 ? "it" : "they") +
                        " cannot be completed as written; the first: " + Quoted(first));
  }
}
