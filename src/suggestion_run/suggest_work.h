// What `zorvez suggest` asks the matcher: both dictionaries as the matcher
// reads them, the pairs the table already maps (its anchors) and the items
// that need a target, taken from the comparison's findings so that an item
// is exactly what `check` reports. Each item keeps why it needs a target and
// the table row involved; each class keeps the names a table row gives it.
// The comparison itself is run by the caller, which hands the findings on.
#ifndef ZOR_SUGGESTION_RUN_SUGGEST_WORK_H_
#define ZOR_SUGGESTION_RUN_SUGGEST_WORK_H_

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "compare/finding.h"
#include "compare/pass_profile.h"
#include "dictionary/migration_xml.h"
#include "suggest/suggest_model.h"

// A class as a row of the table names it: columns 1 and 2 for a source
// class, columns 4 and 5 for a target class; plain (not escaped) text.
struct RowNames {
  std::string name;
  std::string parent;
};

// Small, for there is one per item: hundreds of thousands of attributes.
struct ItemContext {
  std::string_view reason;           // not_in_mapping_table, badly_mapped, target_missing, no_row
  const TableRowRef* row = nullptr;  // the table row involved, kept in SuggestWork::rows
};

struct SuggestWork {
  SuggestInput input;
  std::vector<RowNames> source_rows;  // per source class
  std::vector<RowNames> target_rows;  // per target class
  std::vector<long> mapped_target;    // per source class: its found target class, or -1
  std::vector<long> class_row_line;   // per source class found so: the line of its class row, or 0
  std::vector<ItemContext> class_context;      // per class item
  std::vector<ItemContext> attribute_context;  // per attribute item
  std::string target_domain;                   // the target dictionary's Domain, as read
  std::deque<TableRowRef> rows;                // the rows the items name; they never move
};

// Fills a SuggestWork: the dictionaries first, once loaded, then every
// class's findings as the comparison makes them, in the source's order.
class SuggestWorkBuilder : public FindingSink {
 public:
  // Without `attributes`, the classes alone are read: their names, the
  // rows that map them and the items (what `check` asks of the rows).
  SuggestWorkBuilder(const PassProfile& profile, SuggestWork& work, bool attributes = true);
  ~SuggestWorkBuilder() override;

  void ReadDictionaries(MigrationXMLNode* source, MigrationXMLNode* target);
  void Accept(const ClassFindings& batch) override;
  // Once the last class is in: the item lists lose their growth slack.
  void Finish();

 private:
  class ItemCollector;
  const PassProfile& profile_;
  SuggestWork& work_;
  bool attributes_;
  std::unique_ptr<ItemCollector> collector_;
};

#endif  // ZOR_SUGGESTION_RUN_SUGGEST_WORK_H_
