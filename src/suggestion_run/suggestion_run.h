// One suggestion run, the spine of `zorvez suggest` and of `zorvez explore
// --suggest`: the table read once, the comparison's items collected, the
// matcher's candidates for each, and the table rows the accepted ones give.
// The commands parse options, load the lexicon and render what this leaves.
#ifndef ZOR_SUGGESTION_RUN_SUGGESTION_RUN_H_
#define ZOR_SUGGESTION_RUN_SUGGESTION_RUN_H_

#include "comparison_run/comparison_run.h"
#include "suggest/suggest_model.h"
#include "suggestion_run/decided_items.h"
#include "suggestion_run/decisions_file.h"
#include "suggestion_run/row_plan.h"
#include "suggestion_run/suggest_work.h"

struct SuggestionRequest {
  FindingRunOptions inputs;
  SuggestOptions matcher;           // its lexicon is loaded by the caller
  std::string decisions_path;       // a review's decisions file, or empty
  bool verbose = false;             // every decision that does not carry, not only the first few
  bool has_verbose = true;          // the command has --verbose, which the messages may name
  std::string command = "suggest";  // the command its messages on standard error name
};

struct SuggestionRun {
  SuggestWork work;         // the items, as the comparison found them
  DecisionsFile decisions;  // the review read back, if any
  DecidedItems decided;     // which of its decisions carry, per item
  SuggestOutput output;     // per item its ranked candidates
  RowPlan rows;             // per item whether its row is written, and the rows
};

// Fills `run` and returns kExitClean, or kExitTrouble after saying on
// `io.err` why an input cannot be used. `alongside`, when given, also gets
// every class's findings, and `totals` the comparison's totals: a command
// that shows the findings too compares once.
int RunSuggestions(const SuggestionRequest& request, CliStreams& io, SuggestionRun& run,
                   FindingSink* alongside = nullptr, ComparisonTotals* totals = nullptr);

// "FILE: 11 of 13 decisions carried; 1 now mapped by the table; ...", and
// "entry 4: STR: now mapped by the table" of an entry that did not carry.
std::string CarriedSummary(const DecidedItems& decided, const std::string& path);
std::string UncarriedEntryText(const JudgedEntry& judged);

// Its first steps, for a caller that asks the matcher itself and keeps it
// (a review): the decisions file read, the items collected, the decisions
// judged, and the mapping table's text as read for planning rows. Leaves
// `run.output` and `run.rows` empty.
int PrepareSuggestions(const SuggestionRequest& request, CliStreams& io, SuggestionRun& run,
                       std::string& table_text, FindingSink* alongside = nullptr,
                       ComparisonTotals* totals = nullptr);

#endif  // ZOR_SUGGESTION_RUN_SUGGESTION_RUN_H_
