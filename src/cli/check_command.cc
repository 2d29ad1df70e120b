#include <array>
#include <string_view>

#include "cli/baseline_file.h"
#include "cli/check_outputs.h"
#include "cli/exact_label_hazards.h"
#include "cli/option_parser.h"
#include "cli/subcommands.h"
#include "cli/table_warnings.h"
#include "cli/verdict_set.h"
#include "cli/zorvez.h"
#include "comparison_run/comparison_run.h"
#include "platform/file_replacement.h"

namespace {

constexpr std::array<OptionRule, 10> kCheckOptions{{
    {"help", 'h', false},
    {"quiet", 'q', false},
    {"verbose", '\0', false},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"format", '\0', true},
    {"fail-on", '\0', true},
    {"baseline", '\0', true},
    {"write-baseline", '\0', true},
    {"include-passes", '\0', false},
}};

constexpr const char* kCheckUsage =
    "usage: zorvez check [--v5] [--old] [--format text|jsonl|sarif] [--fail-on LIST]\n"
    "                    [--baseline FILE] [--write-baseline FILE] [--include-passes]\n"
    "                    [-q | --verbose] SOURCE.xml TARGET.xml MAPPING.csv\n"
    "\n"
    "Compares SOURCE.xml with TARGET.xml through MAPPING.csv, as the defined tool\n"
    "does, and reports the findings, and the hazards of the table (rows the run\n"
    "reads otherwise than written or never reads, names holding markup), without\n"
    "writing any file but the baseline asked for.\n"
    "\n"
    "  --v5             compare two V5 dictionaries\n"
    "  --old            read V5 dictionaries in the older attribute layout\n"
    "  --format FORMAT  text (default): the classes, class findings and attribute\n"
    "                   findings counted per verdict, then the hazards and the\n"
    "                   red, blue and purple findings (and those of the --fail-on\n"
    "                   verdicts) listed;\n"
    "                   jsonl: one JSON record per hazard and finding, then a\n"
    "                   summary record;\n"
    "                   sarif: one SARIF 2.1.0 log, a result per hazard and per\n"
    "                   finding that does not pass, its paths relative to the\n"
    "                   current folder (%SRCROOT%)\n"
    "  --fail-on LIST   what makes the exit status 1: verdicts, and 'hazard' for\n"
    "                   the hazards (default red,blue,purple,grey,hazard; grey:\n"
    "                   attributes with no row or whose row the run drops;\n"
    "                   'none' never fails)\n"
    "  --baseline FILE  an earlier output of check (jsonl or sarif): its findings\n"
    "                   are 'unchanged' and never fail, only 'new' ones do; the\n"
    "                   findings gone since are named; the text lists only what is\n"
    "                   new\n"
    "  --write-baseline FILE\n"
    "                   write this run's findings to FILE (JSON Lines) as the\n"
    "                   baseline of later runs, replacing it in one step\n"
    "  --include-passes sarif: also the verdicts that pass, as results of kind\n"
    "                   'pass'\n"
    "  --verbose        the text lists every finding, also with a baseline\n"
    "  -q, --quiet      print nothing; the exit status alone tells\n"
    "  -h, --help       print this help\n"
    "\n"
    "Exit status: 0 no finding or hazard that --fail-on names (with --baseline:\n"
    "no new one), 1 some, 2 usage error, an input (or baseline) that cannot be\n"
    "used, or a baseline that cannot be written.\n";

// The --fail-on list: verdicts, and "hazard" for the hazards.
VerdictSet ParseFailOn(std::string_view list, bool& hazards) {
  std::string verdicts;
  size_t start = 0;
  for (;;) {
    size_t comma = list.find(',', start);
    std::string_view name =
        list.substr(start, comma == std::string_view::npos ? comma : comma - start);
    if (name == "hazard") {
      hazards = true;
    } else {
      if (!verdicts.empty()) verdicts += ',';
      verdicts.append(name);
    }
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return verdicts.empty() && hazards ? VerdictSet() : ParseVerdictList(verdicts);
}

std::string FileOption(const ParsedArguments& parsed, std::string_view name) {
  std::string path = parsed.Value(name, "");
  if (parsed.Has(name) && path.empty()) {
    throw UsageError("--" + std::string(name) + ": the file name is empty");
  }
  return path;
}

CheckOptions ReadCheckOptions(const ParsedArguments& parsed) {
  RequireOperands(parsed, 3, "SOURCE.xml TARGET.xml MAPPING.csv");
  CheckOptions options;
  options.run = {parsed.Operands()[0], parsed.Operands()[1], parsed.Operands()[2], parsed.Has("v5"),
                 parsed.Has("old")};
  std::string format = parsed.Value("format", "text");
  if (format != "text" && format != "jsonl" && format != "sarif") {
    throw UsageError("--format: '" + format + "' is not a format (text, jsonl or sarif)");
  }
  options.format = format == "jsonl"   ? CheckFormat::kJsonLines
                   : format == "sarif" ? CheckFormat::kSarif
                                       : CheckFormat::kText;
  options.baseline_path = FileOption(parsed, "baseline");
  options.write_baseline_path = FileOption(parsed, "write-baseline");
  options.fail_on =
      ParseFailOn(parsed.Value("fail-on", "red,blue,purple,grey,hazard"), options.fail_on_hazards);
  options.quiet = parsed.Has("quiet");
  options.verbose = parsed.Has("verbose");
  if (options.quiet && options.verbose) throw UsageError("-q and --verbose exclude each other");
  options.include_passes = parsed.Has("include-passes");
  options.run.quiet = options.quiet;
  return options;
}

// One run of the comparison through every output, ended once every class
// went through; `baseline_out`, when given, receives the baseline to write.
int Check(const CheckOptions& options, CliStreams& io, TableInput& table, const Hazards& hazards,
          BaselineFile* baseline, std::ostream* baseline_out) {
  CheckOutputs outputs(options, io, baseline_out, baseline ? &baseline->Fingerprints() : nullptr);
  for (const Hazard& hazard : hazards) outputs.AcceptHazard(hazard);
  ComparisonTotals totals;
  ExactLabelHazards exact_labels(options.run);
  BothSinks both(outputs, &exact_labels);
  const int status = RunFindings(options.run, table, io, both, totals,
                                 [&](MigrationXMLNode* source, MigrationXMLNode* target) {
                                   exact_labels.ReadDictionaries(source, target);
                                 });
  if (status != kExitClean) return status;
  for (const Hazard& hazard : exact_labels.Finish()) outputs.AcceptHazard(hazard);
  std::vector<GoneFinding> gone;
  if (baseline) gone = baseline->ReadGone(outputs.Stamps().Gone());
  outputs.Finish(totals, gone);
  if (!options.quiet) {
    for (const std::string& message : outputs.NameWarnings()) ReportError(io, message);
  }
  return outputs.Failed() ? kExitFindings : kExitClean;
}

int RunCheck(const CheckOptions& options, CliStreams& io) {
  BaselineFile baseline;
  const bool with_baseline = !options.baseline_path.empty();
  if (with_baseline) {
    if (std::string problem = baseline.Load(options.baseline_path); !problem.empty()) {
      ReportError(io, problem);
      return kExitTrouble;
    }
  }
  TableInput table = ReadTableInput(options.run.mapping_path);
  Hazards hazards;
  if (TableWarnings(table, io, hazards) != kExitClean) return kExitTrouble;
  BaselineFile* held_against = with_baseline ? &baseline : nullptr;
  if (options.write_baseline_path.empty()) {
    return Check(options, io, table, hazards, held_against, nullptr);
  }
  int status = kExitTrouble;
  const std::string problem =
      ReplaceFileUnlessGivenUp(options.write_baseline_path,
                               [&](std::ostream& out) {
                                 status = Check(options, io, table, hazards, held_against, &out);
                                 return status != kExitTrouble;
                               },
                               {false, {}});
  if (!problem.empty()) {
    ReportError(io, problem + "; the baseline is left as it was");
    return kExitTrouble;
  }
  return status;
}

}  // namespace

int RunCheckCommand(std::span<const std::string> arguments, CliStreams& io) {
  CheckOptions options;
  try {
    ParsedArguments parsed = ParseArguments(arguments, kCheckOptions);
    if (parsed.Has("help")) {
      io.out << kCheckUsage;
      return kExitClean;
    }
    options = ReadCheckOptions(parsed);
  } catch (const UsageError& error) {
    ReportError(io, std::string("check: ") + error.what() + " (see 'zorvez check --help')");
    return kExitTrouble;
  }
  return RunCheck(options, io);
}
