#include <array>

#include "cli/explore_page_file.h"
#include "cli/lexicon_options.h"
#include "cli/option_parser.h"
#include "cli/subcommands.h"
#include "comparison_run/comparison_run.h"
#include "explore/explore_finding_sink.h"
#include "explore/suggestion_feed.h"
#include "suggestion_run/suggestion_run.h"

namespace {

constexpr std::array<OptionRule, 9> kExploreOptions{{
    {"v5", '\0', false},
    {"old", '\0', false},
    {"report", '\0', true},
    {"suggest", '\0', false},
    {"output", 'o', true},
    {"help", 'h', false},
    {"wordnet", '\0', true},
    {"synonyms", '\0', true},
    {"decisions", '\0', true},
}};

void WriteExploreUsage(std::ostream& out) {
  out << "usage: zorvez explore [--v5] [--old] [--report REPORT.html] [--suggest]\n"
         "                      [--wordnet DIR|none] [--synonyms FILE] [--decisions FILE]\n"
         "                      -o PAGE.html\n"
         "                      SOURCE.xml TARGET.xml MAPPING.csv\n\n"
         "Compares SOURCE with TARGET through the mapping table and writes the findings as\n"
         "one self-contained HTML page to browse: totals per verdict, and the classes to\n"
         "filter by verdict and finding, search by label or key, group by parent and open\n"
         "to their attribute findings. The page fetches nothing and works from disk.\n\n"
         "Options:\n"
         "  --v5             compare two V5 dictionaries\n"
         "  --old            read V5 dictionaries in the older attribute layout\n"
         "  --report PATH    link each class to its place in this report (the path as\n"
         "                   seen from the page's folder)\n"
         "  --suggest        add the suggestions of 'zorvez suggest' to review in the\n"
         "                   page: decide each item, export the decided rows as the\n"
         "                   completed CSV that 'zorvez merge' takes\n"
         "  --wordnet DIR, --synonyms FILE\n"
         "                   with --suggest: the lexicon, as 'zorvez suggest' reads it\n"
         "  --decisions FILE with --suggest: a review's decisions, as the page saves them;\n"
         "                   the page opens with those that carry as its decisions\n"
         "  -o, --output PAGE.html\n"
         "                   the page to write (replaced only when it is complete)\n"
         "  -h, --help       this text\n\n"
         "Exit status: 0 page written, 2 usage error, unusable input or unwritable page.\n";
}

}  // namespace

int RunExploreCommand(std::span<const std::string> arguments, CliStreams& io) {
  ParsedArguments parsed;
  LexiconOptions lexicon_options;
  try {
    parsed = ParseArguments(arguments, kExploreOptions);
    if (parsed.Has("help")) {
      WriteExploreUsage(io.out);
      return kExitClean;
    }
    RequireOperands(parsed, 3, "SOURCE.xml TARGET.xml MAPPING.csv");
    if (parsed.Value("output").empty()) throw UsageError("missing -o PAGE.html");
    lexicon_options = ReadLexiconOptions(parsed);
    if (!parsed.Has("suggest") &&
        (parsed.Has("wordnet") || parsed.Has("synonyms") || parsed.Has("decisions"))) {
      throw UsageError("--wordnet, --synonyms and --decisions go with --suggest");
    }
    if (parsed.Has("decisions") && parsed.Value("decisions").empty())
      throw UsageError("--decisions needs a file name");
  } catch (const UsageError& error) {
    ReportError(io, std::string("explore: ") + error.what() + " (see 'zorvez explore --help')");
    return kExitTrouble;
  }

  FindingRunOptions run;
  run.source_path = parsed.Operands()[0];
  run.target_path = parsed.Operands()[1];
  run.mapping_path = parsed.Operands()[2];
  run.v5v5 = parsed.Has("v5");
  run.old_format = parsed.Has("old");

  ExplorePageOptions page;
  page.source_name = run.source_path;
  page.target_name = run.target_path;
  page.mapping_name = run.mapping_path;
  page.v5v5 = run.v5v5;
  page.old_format = run.old_format;
  page.report_path = parsed.Value("report");
  bool suggest = parsed.Has("suggest");
  Lexicon lexicon;
  if (suggest && !LoadLexicon(lexicon_options, "explore", io, lexicon)) return kExitTrouble;
  SuggestionRequest request{run, {}, parsed.Value("decisions"), false};
  request.matcher.lexicon = &lexicon;
  request.command = "explore";
  request.has_verbose = false;

  return WriteExplorePageFile(parsed.Value("output"), page, io, [&](ExplorePageWriter& writer) {
    ExploreFindingSink sink(writer, run.v5v5);
    ComparisonTotals totals;
    if (!suggest) {
      TableInput table = ReadTableInput(run.mapping_path);
      int status = RunFindings(run, table, io, sink, totals);
      if (status == kExitClean) sink.Finish(totals);
      return status;
    }
    SuggestionRun suggestions;
    if (RunSuggestions(request, io, suggestions, &sink, &totals) != kExitClean) return kExitTrouble;
    sink.Finish(totals);
    FeedSuggestionBlock(suggestions, writer.Suggestions());
    return kExitClean;
  });
}
