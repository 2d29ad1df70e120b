// zorvez suggest: for every class and attribute that needs a target, the
// target dictionary's best candidates, and the completed rows of those
// accepted, ready for zorvez merge.
#include <array>
#include <cerrno>
#include <cstdlib>
#include <map>
#include <sstream>

#include "cli/lexicon_options.h"
#include "cli/option_parser.h"
#include "cli/subcommands.h"
#include "output/suggest_report.h"
#include "platform/file_replacement.h"
#include "suggestion_run/suggestion_run.h"

namespace {

constexpr std::array<OptionRule, 12> kOptions{{
    {"help", 'h', false},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"format", '\0', true},
    {"top", '\0', true},
    {"min-score", '\0', true},
    {"output", 'o', true},
    {"quiet", 'q', false},
    {"verbose", '\0', false},
    {"wordnet", '\0', true},
    {"synonyms", '\0', true},
    {"decisions", '\0', true},
}};

constexpr const char* kUsageLine =
    "usage: zorvez suggest [--v5] [--old] [--format text|jsonl|csv] [--top K]\n"
    "                      [--min-score S] [--wordnet DIR|none] [--synonyms FILE]\n"
    "                      [--decisions FILE] [-o OUT] [-q | --verbose]\n"
    "                      SOURCE.xml TARGET.xml MAPPING.csv\n";

std::string Help() {
  const SuggestOptions defaults;
  std::ostringstream help;
  help << "\n"
          "For every class that needs a target (not in the mapping table, badly mapped,\n"
          "or mapped to a target class the target lacks) and every attribute that needs\n"
          "one (the attributes of those classes, badly mapped attribute rows, rows naming\n"
          "an attribute the target class lacks, attributes without a row), the best\n"
          "candidates of TARGET.xml with a score in [0, 1] and the evidence that agreed:\n"
          "labels, keys, spelling, word stems, abbreviations, renames learned from the\n"
          "table's rows, the lexicon (WordNet's database, the user's synonyms), the\n"
          "class hierarchy, shared attributes.\n"
          "\n"
          "The first candidate is accepted when it reaches the minimum score and leads\n"
          "the runner-up by "
       << defaults.weights.acceptance.margin
       << "; or when item and candidate are each other's best\n"
          "(for a class, with the hierarchy agreeing or the labels' head words: Seal\n"
          "and Mechanical Seal, not Hotel and Hotel Room) from "
       << defaults.weights.acceptance.mutual_min_score << " with a lead of "
       << defaults.weights.acceptance.mutual_margin
       << ";\n"
          "or when its label or key reads exactly as the item's and no other's does (an\n"
          "attribute: in the nearest class of its class's settled target). On a\n"
          "development set of real hierarchies this accepts classes at a precision of\n"
          "0.75 and attributes at 0.48, as its reference counts (it leaves out many pairs\n"
          "of equal labels).\n"
          "\n"
          "  --v5, --old        read the dictionaries as check does with these options\n"
          "  --format FORMAT    text (default): per item its candidates;\n"
          "                     jsonl: one JSON record per item, then a summary;\n"
          "                     csv: the completed table rows of the accepted\n"
          "                     suggestions, for 'zorvez merge MAPPING.csv OUT'\n"
          "  --top K            candidates per item (default "
       << defaults.top
       << ")\n"
          "  --min-score S      the score a one-sided first candidate reaches (default\n"
          "                     "
       << defaults.weights.acceptance.min_score << " for classes and "
       << defaults.weights.acceptance.attribute_min_score
       << " for attributes); S given holds for\n"
          "                     every rule and both kinds\n"
          "  --wordnet DIR      WordNet's database (default: where Debian's wordnet-base\n"
          "                     puts it); none: without it\n"
          "  --synonyms FILE    the words and abbreviations of your trade, one group a line\n"
          "                     ('temp = temperature'; see doc/synonyms.md)\n"
          "  --decisions FILE   a review's decisions, as the explore page saves them: a\n"
          "                     decided target is the item's accepted candidate, a No\n"
          "                     Mapping decision writes its No Mapping row; decisions\n"
          "                     whose item or target is gone are counted on standard error\n"
          "  -o, --output OUT   write to OUT instead of standard output\n"
          "  -q, --quiet        nothing on standard error about rows not written\n"
          "  --verbose          every row not written on standard error, not only the\n"
          "                     first few and the count per reason\n"
          "  -h, --help         print this help\n"
          "\n"
          "Exit status: 0 every item got an accepted suggestion, 1 some did not, 2 usage\n"
          "error or an input that cannot be used.\n";
  return help.str();
}

enum class SuggestFormat { kText, kJsonLines, kCsv };

struct CommandOptions {
  FindingRunOptions run;
  SuggestFormat format = SuggestFormat::kText;
  SuggestOptions matcher;
  std::string output;
  std::string decisions;
  bool quiet = false;
  bool verbose = false;
  LexiconOptions lexicon;
};

double ReadNumber(const std::string& text, const char* option, double low, double high) {
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || errno != 0 || !(value >= low && value <= high)) {
    std::ostringstream range;
    range << low << " to " << high;
    throw UsageError(std::string(option) + ": '" + text + "' is not a number from " + range.str());
  }
  return value;
}

CommandOptions ReadOptions(const ParsedArguments& parsed) {
  RequireOperands(parsed, 3, "SOURCE.xml TARGET.xml MAPPING.csv");
  CommandOptions options;
  options.run = {parsed.Operands()[0], parsed.Operands()[1], parsed.Operands()[2], parsed.Has("v5"),
                 parsed.Has("old")};
  std::string format = parsed.Value("format", "text");
  if (format == "jsonl") {
    options.format = SuggestFormat::kJsonLines;
  } else if (format == "csv") {
    options.format = SuggestFormat::kCsv;
  } else if (format != "text") {
    throw UsageError("--format: '" + format + "' is not a format (text, jsonl or csv)");
  }
  if (parsed.Has("top")) {
    double top = ReadNumber(parsed.Value("top"), "--top", 1, 100);
    if (top != static_cast<double>(static_cast<size_t>(top))) {
      throw UsageError("--top: '" + parsed.Value("top") + "' is not a whole number");
    }
    options.matcher.top = static_cast<size_t>(top);
  }
  if (parsed.Has("min-score")) {
    SetMinScore(options.matcher.weights,
                ReadNumber(parsed.Value("min-score"), "--min-score", 0, 1));
  }
  options.output = parsed.Value("output");
  if (parsed.Has("output") && options.output.empty()) {
    throw UsageError("--output needs a file name");
  }
  options.quiet = parsed.Has("quiet");
  options.verbose = parsed.Has("verbose");
  options.decisions = parsed.Value("decisions");
  if (parsed.Has("decisions") && options.decisions.empty())
    throw UsageError("--decisions needs a file name");
  options.lexicon = ReadLexiconOptions(parsed);
  options.lexicon.quiet = options.quiet;
  if (options.quiet && options.verbose)
    throw UsageError("-q and --verbose ask for opposite things");
  return options;
}

// Writes the report as it goes: the records of hundreds of thousands of
// items are never held whole.
void Report(const CommandOptions& options, const SuggestionRun& run, CliStreams& io,
            std::ostream& out) {
  if (options.format == SuggestFormat::kJsonLines) {
    WriteSuggestionRecords(out, run.work, run.output, run.rows);
  } else if (options.format == SuggestFormat::kCsv) {
    WriteRows(out, run.rows, run.work, run.output);
  } else {
    bool colour = io.colour_out && options.output.empty();
    WriteSuggestionText(out, run.work, run.output, run.rows, options.run.mapping_path, colour);
  }
}

// The accepted suggestions whose rows are not written: how many for each
// reason, then the first few (or, with --verbose, all) with what to do.
void SayRowsNotWritten(const CommandOptions& options, const RowPlan& rows, CliStreams& io) {
  constexpr size_t kFirstFew = 5;
  std::map<RowFate, size_t> counts;
  // What the user can act on, in the order of the dictionary (attributes
  // waiting for their class are counted only: the class says what to do).
  std::vector<uint32_t> notes;
  for (const auto* items : {&rows.classes, &rows.attributes}) {
    for (const ItemRow& item : *items) {
      if (item.fate == RowFate::kWritten || item.fate == RowFate::kNotAccepted ||
          item.fate == RowFate::kInTable) {
        continue;
      }
      ++counts[item.fate];
      if (item.note != ItemRow::kNone) notes.push_back(item.note);
    }
  }
  if (options.quiet || counts.empty()) return;
  size_t all = 0;
  std::string reasons;
  for (const auto& [fate, count] : counts) {
    all += count;
    reasons +=
        (reasons.empty() ? "" : "; ") + std::to_string(count) + " " + std::string(FateWords(fate));
  }
  ReportError(io, "suggest: " + std::to_string(all) + " accepted suggestion" +
                      (all == 1 ? " gets" : "s get") + " no row: " + reasons);
  std::sort(notes.begin(), notes.end());
  const size_t shown = options.verbose ? notes.size() : std::min(notes.size(), kFirstFew);
  for (size_t i = 0; i < shown; ++i) ReportError(io, "suggest: " + rows.NoteText(notes[i]));
  if (shown < notes.size()) {
    ReportError(io,
                "suggest: and " + std::to_string(notes.size() - shown) +
                    " more: --verbose lists them all, and --format jsonl says why of every item");
  }
}

int RunSuggest(const CommandOptions& options, CliStreams& io) {
  Lexicon lexicon;
  if (!LoadLexicon(options.lexicon, "suggest", io, lexicon)) return kExitTrouble;
  SuggestionRequest request{options.run, options.matcher, options.decisions, options.verbose};
  request.matcher.lexicon = &lexicon;
  SuggestionRun run;
  if (RunSuggestions(request, io, run) != kExitClean) return kExitTrouble;
  if (options.output.empty()) {
    Report(options, run, io, io.out);
  } else if (std::string problem = ReplaceFileWith(
                 options.output, [&](std::ostream& out) { Report(options, run, io, out); },
                 {false, {}});
             !problem.empty()) {
    ReportError(io, problem);
    return kExitTrouble;
  }
  SayRowsNotWritten(options, run.rows, io);
  return CountSuggestions(run.output).AllAccepted() ? kExitClean : kExitFindings;
}

}  // namespace

int RunSuggestCommand(std::span<const std::string> arguments, CliStreams& io) {
  CommandOptions options;
  try {
    ParsedArguments parsed = ParseArguments(arguments, kOptions);
    if (parsed.Has("help")) {
      io.out << kUsageLine << Help();
      return kExitClean;
    }
    options = ReadOptions(parsed);
  } catch (const UsageError& error) {
    ReportError(io, std::string("suggest: ") + error.what());
    io.err << kUsageLine << "Run 'zorvez suggest --help' for the options.\n";
    return kExitTrouble;
  }
  return RunSuggest(options, io);
}
