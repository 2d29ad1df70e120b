// Which completed table rows the accepted suggestions give, decided once
// for every report: `suggest --format csv` writes them, the records and the
// text say of every item whether its row is written and why not. A row is
// written only when `zorvez merge` takes it into the table as it stands: the
// rows are planned through the merge itself. A row the merge would refuse,
// or one that the table holds completed otherwise (a merge never replaces
// it), is not written; the row to write instead is said where there is one.
#ifndef ZOR_SUGGESTION_RUN_ROW_PLAN_H_
#define ZOR_SUGGESTION_RUN_ROW_PLAN_H_

#include <cstdint>
#include <deque>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "merge/table_blocks.h"
#include "suggestion_run/row_rules.h"
#include "suggestion_run/suggest_work.h"

// What became of an item's row.
enum class RowFate : uint8_t {
  kWritten,          // the row is written and a merge takes it
  kNotAccepted,      // no candidate was accepted: no row to write
  kClassNotPlaced,   // an attribute whose class has no target that a row names
  kTableRowDiffers,  // the table holds the item's row completed otherwise
  kNameUnwritable,   // a name holds a comma or a line end, or is empty
  kOutOfReach,       // the target attribute sits on a class no row of this class can name
  kMergeRefuses,     // a merge would refuse the row (a table row it builds on is misread, ...)
  kInTable,          // the table holds this very row already
};

// The word the records give a fate: "written", "not_accepted", ...
std::string_view FateCode(RowFate fate);
// In words, for people: "the table's row says otherwise", ...
std::string_view FateWords(RowFate fate);

// Why a row cannot reach `holder`.`key`: a row naming `holder` is looked up
// in `looked_up`, the first class under `parent`; what to do names the
// attribute's class's target, `class_target`.
std::string OutOfReachNote(std::string_view holder, std::string_view key,
                           std::string_view looked_up, std::string_view parent,
                           std::string_view class_target);

// The domains the table's class rows give (see ClassRowDomain).
using TableDomainMaps = RowDomains;
TableDomainMaps ReadTableDomains(const std::string& table_text);

struct ItemRow {
  static constexpr uint32_t kNone = UINT32_MAX;
  RowFate fate = RowFate::kNotAccepted;
  uint32_t row = kNone;   // the row to write instead, when not written: an index into RowPlan::rows
  uint32_t note = kNone;  // why it is not written, for people: an index into RowPlan::notes
};

// Why an item's row is not written, as plain fields: the table row involved
// (its line, or 0), the item as suggest names it ("Pump" or "Pump: Head"),
// and the reason with what to do. RowPlan::NoteText puts it into words.
struct RowNote {
  long line = 0;
  std::string item;
  std::string detail;
};

// A row proposed for an item: the target class it names, the class's own
// target or the class holding the attribute.
struct ProposedRow {
  uint32_t item = 0;
  uint32_t named = 0;
  bool is_class = false;
  bool no_mapping = false;  // a review's No Mapping: `named` means nothing
};

struct RowPlan {
  std::vector<ItemRow> classes;     // per class item
  std::vector<ItemRow> attributes;  // per attribute item
  std::vector<std::string> rows;    // each without its line end
  std::vector<RowNote> notes;
  std::string table_path;  // as the notes name the table
  // The rows written, in the order of the source dictionary; their text is
  // made again as they are written.
  std::vector<ProposedRow> written;
  TableDomainMaps domains;
  // Per attribute item, the table row the run's attribute walk takes for it
  // when the comparison names none (the attributes of a class that needs a
  // target); null otherwise. They live in `table_rows`.
  std::vector<const TableRowRef*> attribute_table_rows;
  std::deque<TableRowRef> table_rows;

  const std::string* Row(const ItemRow& item) const {
    return item.row == ItemRow::kNone ? nullptr : &rows[item.row];
  }
  // A note in words: "TABLE:LINE: ITEM: DETAIL", the table's place left out
  // where no table row is involved.
  std::string NoteText(uint32_t note) const;
};

// The mapping table read once to plan rows through a merge into it, again
// and again: a review plans the rows of the classes a decision changes.
// `work` must outlive it; `table_text` is the mapping table as read from
// `table_path`, taken over so that a large table is not copied.
struct PlanLayout;

class RowPlanner {
 public:
  RowPlanner(const SuggestWork& work, std::string table_text, std::string table_path);
  ~RowPlanner();

  RowPlan Plan(const SuggestOutput& output) const;
  // The plan of the items of the source classes marked in `classes` alone,
  // the others left without a row: a merge's decisions about one class
  // never depend on the rows of another, so each item's fate, row and note
  // are those Plan gives it. Its `domains` and `written` are left empty.
  RowPlan PlanSome(const SuggestOutput& output, const std::vector<bool>& classes) const;

  // A proposed row's text, as WriteRows writes it, without its line end.
  std::string Text(const SuggestOutput& output, const ProposedRow& proposed) const;

  const TableBlocks& Table() const { return table_; }
  const std::string& TablePath() const { return table_path_; }

 private:
  const SuggestWork& work_;
  TableDomainMaps domains_;
  TableBlocks table_;
  std::string table_path_;
  std::unique_ptr<const PlanLayout> layout_;
};

// `table_text` is the mapping table as read from `table_path`; it is taken
// over, so that a large table is not copied.
RowPlan PlanRows(const SuggestWork& work, const SuggestOutput& output, std::string table_text,
                 const std::string& table_path);

// The written rows in the order of the source dictionary (a class row, then
// its attribute rows), each ending ",\n".
void WriteRows(std::ostream& out, const RowPlan& plan, const SuggestWork& work,
               const SuggestOutput& output);

#endif  // ZOR_SUGGESTION_RUN_ROW_PLAN_H_
