#include "suggestion_run/suggestion_run.h"

#include <map>

#include "lexicon/lexicon.h"
#include "suggest/suggest_engine.h"
#include "suggest/suggest_session.h"
#include "suggestion_run/burying_row_notes.h"
#include "suggestion_run/decision_effects.h"
#include "suggestion_run/synonym_coverage.h"

namespace {

constexpr size_t kFirstFew = 5;

// The decisions file, read before anything is compared: a file that is not
// one, or an entry that is malformed, is the user's mistake to mend first.
bool ReadDecisions(const SuggestionRequest& request, CliStreams& io, DecisionsFile& decisions) {
  if (request.decisions_path.empty()) return true;
  const std::string& path = request.decisions_path;
  FileRead read = ReadFile(path, kMostDecisionsBytes);
  if (!read.ok()) {
    ReportError(io, ReadProblem(path, read));
    return false;
  }
  decisions = ParseDecisions(read.bytes);
  for (const DecisionsProblem& problem : decisions.problems)
    ReportError(io, DecisionsProblemText(path, problem));
  return decisions.problems.empty();
}

// The synonyms file's entries that no name holds, the first few (all with
// --verbose): the lexicon is loaded before the dictionaries are read.
void SaySynonymsInNoName(const SuggestionRequest& request, const SuggestInput& input,
                         CliStreams& io) {
  const Lexicon* lexicon = request.matcher.lexicon;
  if (lexicon == nullptr || request.inputs.quiet) return;
  const std::vector<std::string> warnings =
      SynonymsInNoName(lexicon->UserGroups(), lexicon->UserFile(), input);
  for (size_t i = 0; i < warnings.size(); ++i) {
    if (!request.verbose && i == kFirstFew) {
      ReportError(io, request.command + ": " + lexicon->UserFile() + ": and " +
                          std::to_string(warnings.size() - i) + " more entries in no name" +
                          (request.has_verbose ? ": --verbose lists them all" : ""));
      break;
    }
    ReportError(io, request.command + ": " + warnings[i]);
  }
}

std::string TargetWords(const DecisionEntry& entry) {
  return entry.for_attribute ? entry.target_class + "." + entry.target_key : entry.target_key;
}

std::string ItemWords(const DecisionEntry& entry) {
  std::string words = entry.class_key;
  if (entry.for_attribute) words += ": " + entry.attribute_label;
  return words;
}

// How many decisions carried, and of those that did not, how many for each
// reason and the first few (all with --verbose) by entry number.
void SayWhatCarried(const SuggestionRequest& request, const DecidedItems& decided, CliStreams& io) {
  if (request.decisions_path.empty() || request.inputs.quiet) return;
  const std::string& path = request.decisions_path;
  ReportError(io, request.command + ": " + CarriedSummary(decided, path));
  size_t shown = 0;
  const size_t carried = decided.Carried();
  for (const JudgedEntry& judged : decided.judged) {
    if (judged.fate == DecisionFate::kCarried) continue;
    if (!request.verbose && shown == kFirstFew) {
      ReportError(io, request.command + ": " + path + ": and " +
                          std::to_string(decided.judged.size() - carried - shown) + " more" +
                          (request.has_verbose ? ": --verbose lists them all" : ""));
      break;
    }
    ++shown;
    ReportError(io, request.command + ": " + path + ": " + UncarriedEntryText(judged));
  }
}

// The rows that map a class onto another class's exact name: the first
// few (all with --verbose).
void SayBuryingRows(const SuggestionRequest& request, const SuggestionRun& run, CliStreams& io) {
  if (request.inputs.quiet) return;
  const std::vector<std::string> notes =
      BuryingRowNotes(run.work, run.output.burying_rows, request.inputs.mapping_path);
  for (size_t i = 0; i < notes.size(); ++i) {
    if (!request.verbose && i == kFirstFew) {
      ReportError(io, request.command + ": and " + std::to_string(notes.size() - i) +
                          " more such rows" +
                          (request.has_verbose ? ": --verbose lists them all" : ""));
      break;
    }
    ReportError(io, request.command + ": " + notes[i]);
  }
}

// The items that need a target, from one comparison.
int CollectItems(const SuggestionRequest& request, TableInput& table, CliStreams& io,
                 SuggestWork& work, FindingSink* alongside, ComparisonTotals& totals) {
  const FindingRunOptions& inputs = request.inputs;
  SuggestWorkBuilder builder(ProfileFor(inputs.v5v5, inputs.old_format), work);
  BothSinks both(builder, alongside);
  const int status = RunFindings(inputs, table, io, both, totals,
                                 [&](MigrationXMLNode* source, MigrationXMLNode* target) {
                                   builder.ReadDictionaries(source, target);
                                 });
  builder.Finish();
  return status;
}

}  // namespace

std::string CarriedSummary(const DecidedItems& decided, const std::string& path) {
  std::map<DecisionFate, size_t> counts;
  for (const JudgedEntry& judged : decided.judged) ++counts[judged.fate];
  std::string said = path + ": " + std::to_string(counts[DecisionFate::kCarried]) + " of " +
                     std::to_string(decided.judged.size()) + " decisions carried";
  for (const auto& [fate, count] : counts) {
    if (fate == DecisionFate::kCarried || count == 0) continue;
    said += "; " + std::to_string(count) + " " + std::string(DecisionFateWords(fate));
  }
  return said;
}

std::string UncarriedEntryText(const JudgedEntry& judged) {
  std::string why(DecisionFateWords(judged.fate));
  if (judged.fate == DecisionFate::kOverruled)
    why = "decided again by entry " + std::to_string(judged.later) + ", which holds";
  if (judged.fate == DecisionFate::kTargetGone)
    why = "its target " + TargetWords(*judged.entry) + " is gone from the target dictionary";
  return "entry " + std::to_string(judged.entry->number) + ": " + ItemWords(*judged.entry) + ": " +
         why;
}

int PrepareSuggestions(const SuggestionRequest& request, CliStreams& io, SuggestionRun& run,
                       std::string& table_text, FindingSink* alongside, ComparisonTotals* totals) {
  if (!ReadDecisions(request, io, run.decisions)) return kExitTrouble;
  TableInput table = ReadTableInput(request.inputs.mapping_path);
  ComparisonTotals own_totals;
  if (CollectItems(request, table, io, run.work, alongside, totals ? *totals : own_totals) !=
      kExitClean) {
    return kExitTrouble;
  }
  SaySynonymsInNoName(request, run.work.input, io);
  run.decided = JudgeDecisions(run.decisions, run.work);
  table_text = std::move(table.read.bytes);
  return kExitClean;
}

int RunSuggestions(const SuggestionRequest& request, CliStreams& io, SuggestionRun& run,
                   FindingSink* alongside, ComparisonTotals* totals) {
  std::string table_text;
  if (PrepareSuggestions(request, io, run, table_text, alongside, totals) != kExitClean)
    return kExitTrouble;
  if (request.decisions_path.empty()) {
    run.output = Suggest(run.work.input, request.matcher);
  } else {
    // The decisions are laid on the matcher's suggestions as a review lays
    // them, one item at a time.
    const SuggestSession session(run.work.input, request.matcher);
    DecisionEffects effects(session);
    effects.SetAll(run.decided);
    run.output = effects.AllViews();
  }
  if (run.output.classes.size() != run.work.class_context.size() ||
      run.output.attributes.size() != run.work.attribute_context.size()) {
    ReportError(io, request.command +
                        ": the matcher answered for other items than asked; please report it");
    return kExitTrouble;
  }
  SayWhatCarried(request, run.decided, io);
  SayBuryingRows(request, run, io);
  // The rows are planned through a merge into the table as it stands, and
  // take their domains from the table's own rows.
  run.rows = PlanRows(run.work, run.output, std::move(table_text), request.inputs.mapping_path);
  return kExitClean;
}
