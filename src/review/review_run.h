// One reading of a review's inputs for `zorvez review`: the suggestion run
// of `zorvez suggest` with its matcher kept, the reviewer's decisions laid on
// it as `suggest --decisions` lays them (suggestion_run/decision_effects.h),
// and the rows they give, planned through a merge as suggest plans them. A
// decision is answered by laying it on the items it touches and planning the
// rows of their classes again; the decisions are always those of one
// decisions file, in its format, so that suggest reads them as they are.
#ifndef ZOR_REVIEW_REVIEW_RUN_H_
#define ZOR_REVIEW_REVIEW_RUN_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "compare/finding.h"
#include "suggest/suggest_session.h"
#include "suggestion_run/decision_effects.h"
#include "suggestion_run/suggestion_run.h"

// An item of the review: a class item or an attribute item, by number.
struct ItemRef {
  bool is_class = true;
  size_t item = 0;

  bool operator==(const ItemRef&) const = default;
};

// A decision to take: the item and what it is decided to (an open
// Decision takes the item's back).
struct DecisionChange {
  ItemRef item;
  Decision decision;
};

// The verdicts of the class findings, as `check` counts them.
struct FindingCounts {
  long classes = 0;
  long by_verdict[6] = {};  // per Verdict
  long not_in_table = 0;    // classes not found in the mapping table
  long attribute_by_verdict[6] = {};
};

// A digest of a text, to tell whether a file changed since it was read.
uint64_t TextStamp(std::string_view text);

class ReviewRun {
 public:
  // Reads the inputs as `suggest --decisions` does and lays the decisions
  // on the suggestions; null after saying on `io.err` why an input cannot be
  // used (in suggest's words).
  // With `decisions`, those are taken instead of the request's file.
  static std::unique_ptr<ReviewRun> Load(const SuggestionRequest& request, CliStreams& io,
                                         const DecisionsFile* decisions = nullptr);
  ~ReviewRun();
  ReviewRun(const ReviewRun&) = delete;
  ReviewRun& operator=(const ReviewRun&) = delete;

  const SuggestWork& Work() const { return run_.work; }
  const SuggestOutput& Output() const { return run_.output; }
  // What the matcher suggested before any decision.
  const SuggestOutput& ToolOutput() const { return session_->Output(); }
  const RowPlan& Rows() const { return run_.rows; }
  const RowPlanner& Planner() const { return *planner_; }
  const DecisionEffects& Effects() const { return *effects_; }
  const FindingCounts& Counts() const { return counts_; }
  // A digest of the mapping table's bytes as read (TextStamp).
  uint64_t TableStamp() const { return table_stamp_; }
  // The entries of the decisions file read that did not carry, with why.
  const DecidedItems& Judged() const { return run_.decided; }
  const DecisionsFile& FileRead() const { return run_.decisions; }

  // The source class of a key (the first of that key), or none.
  std::optional<size_t> SourceOfKey(std::string_view key) const;
  // The item of a source class key, and of an attribute's key and label
  // when given; none where that is no item.
  std::optional<ItemRef> FindItem(std::string_view class_key, const std::string* attribute_key,
                                  const std::string* attribute_label) const;
  size_t SourceOf(const ItemRef& ref) const;
  // Whether a decisions file can name the item: its class is the first of
  // its key, and an attribute the first of its class with its key and
  // label. The others cannot be told apart from those and are not decided.
  bool Nameable(const ItemRef& ref) const;
  const Decision& DecisionOf(const ItemRef& ref) const;
  // The target class the attributes of `source` are placed in: its class's
  // decision, the table's row, or the class's accepted candidate; -1 none.
  long PlacedTarget(size_t source) const;
  // The row a written item's plan writes, or empty.
  std::string WrittenRow(const ItemRef& ref) const;

  // Takes the decisions of a decisions file in place of all there are, as
  // `suggest --decisions` judges it (a file read again after the inputs
  // changed, or the review's own after a reload).
  void TakeDecisions(DecisionsFile file);

  // Lays the decisions on their items and plans their classes' rows again;
  // returns the source classes whose items changed, and the decisions the
  // items had before (to take them back).
  std::vector<size_t> Decide(const std::vector<DecisionChange>& changes,
                             std::vector<DecisionChange>* before = nullptr);

  // The decisions as a decisions file holds them: the entries read that did
  // not carry first, as they were (so that none is lost while its item or
  // target is away), then every decision in the order of the source
  // dictionary.
  std::string DecisionsFileText() const;
  size_t DecisionCount() const;

 private:
  ReviewRun() = default;
  void IndexItems();
  void LayDecisions();
  void PlanAgain(const std::vector<size_t>& sources);
  void NoteWritten(const RowPlan& plan);
  DecisionEntry EntryOf(const ItemRef& ref, const Decision& decision) const;

  SuggestionRun run_;
  FindingCounts counts_;
  uint64_t table_stamp_ = 0;
  std::unique_ptr<SuggestSession> session_;
  std::unique_ptr<DecisionEffects> effects_;
  std::unique_ptr<RowPlanner> planner_;
  std::string source_path_;
  std::unordered_map<std::string_view, size_t> source_of_key_;
  // Per source class, the classes whose rows a merge plans together with
  // its own (one row name and parent), itself among them.
  std::vector<std::vector<size_t>> row_fellows_;
  // Per item, its row among run_.rows.written, or kNone.
  std::vector<uint32_t> written_class_;
  std::vector<uint32_t> written_attribute_;
};

#endif  // ZOR_REVIEW_REVIEW_RUN_H_
