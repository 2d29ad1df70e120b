// The suggestions of `zorvez suggest` as the explorer page carries them: one
// JSON block after the findings, read by the page only when a reviewer opens
// a class that has suggestions or filters by review state, so the first
// screen costs nothing more.
//
// It holds, per source class in the order the records came (the source
// dictionary's), the class item and its attribute items with their ranked
// candidates; the target classes (key, label, parent key) so that a typed
// key can be checked and completed; the attributes of the candidate classes
// and their ancestors; the pieces of the rows a reviewer's decision gives, as
// the rules of `suggest`'s row plan decide them (explore/row_facts.h), which
// the page's export only joins; and, for an accepted item whose row
// `suggest` does not write, why not, with what to do.
//
// An item is made compact text as it comes and is not kept: the items of a
// large dictionary as records would cost the page's writer several times
// the memory of the comparison. The items come from the run itself
// (explore/suggestion_feed.h), or, for a page of saved records, from the
// reader of bench/.
#ifndef ZOR_EXPLORE_SUGGESTION_BLOCK_H_
#define ZOR_EXPLORE_SUGGESTION_BLOCK_H_

#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "explore/code_table.h"
#include "explore/row_facts.h"
#include "explore/target_places.h"
#include "output/suggestion_record.h"
#include "suggest/name_store.h"
#include "suggest/suggest_model.h"

// The domains a completed class row takes (ClassRowDomain), with the target
// dictionary's last.
struct SuggestDomains : RowDomains {
  std::string fallback;
};

// How the table's rows name a source class (columns 1 and 2, with the target
// class it is mapped to, if any). Without a row a class is named by its
// label and parent.
struct SuggestSourceRow {
  std::string name;
  std::string parent;
  std::string mapped_target;  // the key of the target class the table maps it to, or ""
};

class SuggestionBlock {
 public:
  SuggestionBlock() : evidence_({}), reasons_({}), fates_({}) {}

  // The target dictionary in its order (the first class with a parent is
  // the one an attribute row naming that parent's child finds), with the
  // row names of its classes (empty: key and parent key). `names` holds
  // the classes' names. Given before the records, so that an attribute
  // candidate travels as its place among its class's attributes; a record
  // that comes before it carries its candidates' keys and labels.
  void SetTarget(std::shared_ptr<const NameStore> names, std::vector<SuggestClass> target,
                 std::vector<SuggestTargetRow> rows = {});
  void SetDomains(SuggestDomains domains) { domains_ = std::move(domains); }
  // Given before the records, as the page shortens an item's row and notes
  // by the names these give.
  void SetSourceRow(const std::string& key, SuggestSourceRow row);
  // The items the table maps and the decisions carried into this run, as
  // JSON (explore/review_carry.h).
  void SetReviewCarry(std::string mapped, std::string carried) {
    mapped_ = std::move(mapped);
    carried_ = std::move(carried);
  }

  // Takes one item of suggest's report (its record as plain data).
  void Add(const SuggestionRecord& record);
  bool Empty() const { return items_.empty(); }

  // The block's JSON, safe inside a <script> element.
  void Write(std::ostream& out) const;
  std::string Json() const;

 private:
  // A source class's items, as compact text.
  struct Item {
    std::string key, label, parent;
    std::string class_item;  // empty: none
    std::string attributes;  // the attribute items, comma-separated
  };

  Item& ItemOf(const SuggestionRecord& record);
  void AppendClassCandidate(std::string& out, const RecordCandidate& candidate);
  void AppendAttributeCandidate(std::string& out, const RecordCandidate& candidate,
                                std::string& previous_owner);
  void AppendEvidence(std::string& out, const std::vector<std::string>& evidence);
  // The item a record is of, as its row and notes name it.
  struct ItemNamed {
    const Item& item;
    std::string_view label;  // an attribute's
    std::string_view reason;
    bool for_class;
  };

  std::string KnownColumns(const ItemNamed& named) const;
  void AppendRow(std::string& out, const std::optional<TableRowRef>& row,
                 const ItemNamed& named) const;
  void AppendFate(std::string& out, const SuggestionRecord& record);
  void AppendTail(std::string& out, const SuggestionRecord& record, const std::string& facts);
  void NoteKey(std::string_view key);
  void WriteItems(std::ostream& out) const;
  void AppendKeyFacts(std::string& out) const;

  CodeTable evidence_;
  CodeTable reasons_;  // of attribute items
  CodeTable fates_;    // why an accepted item's row is not written
  std::vector<Item> items_;
  std::unordered_map<std::string, size_t> item_of_key_;
  TargetPlaces target_;
  std::unordered_map<std::string, SuggestSourceRow> source_rows_;
  SuggestDomains domains_;
  std::string mapped_ = "null";  // null: not known (a page written from records)
  std::string carried_ = "[]";
  // Candidates' target attribute keys that a row spells otherwise, or that
  // no row can hold.
  std::map<std::string, std::string, std::less<>> spelled_keys_;
  std::map<std::string, std::string, std::less<>> key_notes_;
};

#endif  // ZOR_EXPLORE_SUGGESTION_BLOCK_H_
