// zorvez lint: every hazard of a mapping table, and with --fix the
// mechanical repairs, made with the safety of zorvez merge.
#include <array>
#include <memory>
#include <string>

#include "cli/option_parser.h"
#include "cli/subcommands.h"
#include "compare/pass_profile.h"
#include "comparison_run/comparison_run.h"
#include "dictionary/mapping_reader.h"
#include "lint/table_analysis.h"
#include "lint/table_fix.h"
#include "merge/unified_diff.h"
#include "output/hazard_lines.h"
#include "output/report_markup.h"
#include "platform/file_replacement.h"

namespace {

constexpr std::array<OptionRule, 9> kOptions{{
    {"source", '\0', true},
    {"target", '\0', true},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"format", '\0', true},
    {"fix", '\0', false},
    {"dry-run", '\0', false},
    {"no-backup", '\0', false},
    {"help", 'h', false},
}};

constexpr const char* kUsageLine =
    "usage: zorvez lint [--source SOURCE.xml] [--target TARGET.xml] [--v5] [--old]\n"
    "                   [--format text|jsonl] [--fix [--dry-run] [--no-backup]] TABLE.csv\n";

constexpr const char* kHelp =
    "\n"
    "Lists every hazard of a mapping table: what makes the run read it otherwise\n"
    "than it was meant (a byte-order mark, UTF-16 text, a row whose domain ends the\n"
    "line, CSV quoting, semicolons, an empty column, an attribute row the lookup\n"
    "never reaches, a second class row) and, with the dictionaries, names they lack,\n"
    "with the name meant when one is close, a domain code given as target class,\n"
    "and (with both) the attribute rows the run reads and then drops and the names\n"
    "the defined report writes as markup. One line per hazard:\n"
    "TABLE.csv:LINE:COL: severity: message [code] (SOURCE.xml:... for a name the\n"
    "dictionary to migrate gives).\n"
    "\n"
    "Options:\n"
    "  --source FILE     the dictionary to migrate: check the source names\n"
    "  --target FILE     the target dictionary: check the target names\n"
    "  --v5, --old       read the dictionaries as check does with these options\n"
    "  --format FORMAT   text (default) or jsonl: one JSON record per hazard\n"
    "  --fix             make the mechanical repairs in TABLE.csv (the table as it\n"
    "                    was kept as TABLE.csv.bak.N, numbered from 1)\n"
    "  --dry-run         with --fix: write nothing; print the change as a diff\n"
    "  --no-backup       with --fix: keep no TABLE.csv.bak.N\n"
    "  -h, --help        print this help\n"
    "\n"
    "Exit status: 0 no error or warning (notes only), 1 some (after --fix: some\n"
    "left), 2 usage error or an input that cannot be used.\n";

struct LintOptions {
  std::string table_path;
  std::string source_path;
  std::string target_path;
  bool v5v5 = false;
  bool old_format = false;
  bool json_lines = false;
  bool fix = false;
  bool dry_run = false;
  bool keep_backup = true;
};

LintOptions ReadOptions(const ParsedArguments& parsed) {
  RequireOperands(parsed, 1, "TABLE.csv");
  LintOptions options;
  options.table_path = parsed.Operands()[0];
  options.source_path = parsed.Value("source");
  options.target_path = parsed.Value("target");
  if ((parsed.Has("source") && options.source_path.empty()) ||
      (parsed.Has("target") && options.target_path.empty())) {
    throw UsageError("--source and --target need a file name");
  }
  options.v5v5 = parsed.Has("v5");
  options.old_format = parsed.Has("old");
  std::string format = parsed.Value("format", "text");
  if (format != "text" && format != "jsonl") {
    throw UsageError("--format: '" + format + "' is not a format (text or jsonl)");
  }
  options.json_lines = format == "jsonl";
  options.fix = parsed.Has("fix");
  options.dry_run = parsed.Has("dry-run");
  options.keep_backup = !parsed.Has("no-backup");
  if (!options.fix && (options.dry_run || parsed.Has("no-backup"))) {
    throw UsageError("--dry-run and --no-backup go with --fix");
  }
  return options;
}

// Writes the hazards; returns whether any calls for work.
bool List(std::ostream& out, const LintOptions& options, bool json_lines, const Hazards& hazards,
          std::string_view state = {}) {
  bool work = false;
  for (const Hazard& hazard : hazards) {
    work = work || CallsForWork(hazard);
    const std::string_view path = HazardPath(hazard, options.table_path, options.source_path);
    if (json_lines) {
      out << HazardJsonLine(hazard, state.empty() ? "hazard" : state,
                            RecordNamesFile(hazard) ? path : "");
    } else {
      out << HazardTextLine(path, hazard, state);
    }
  }
  return work;
}

// Repairs the table (or shows the repairs), then lists what is left.
int Fix(CliStreams& io, const LintOptions& options, const TableAnalysis& analysis,
        const TableNames* names) {
  TableFix fix = FixTable(analysis);
  TableAnalysis after(fix.text, names);
  if (options.dry_run) {
    io.out << UnifiedDiff(analysis.Lines(), fix.lines, options.table_path, options.table_path);
    // The diff has standard output to itself, so that it can be applied.
    List(io.err, options, false, fix.repaired, "would fix");
    return List(io.err, options, false, after.Found()) ? kExitFindings : kExitClean;
  }
  std::string backup;
  if (fix.Changes()) {
    std::string failure =
        ReplaceFile(options.table_path, fix.text, {options.keep_backup, {}, &backup});
    if (!failure.empty()) {
      ReportError(io, failure + "; " + options.table_path + " is left as it was");
      return kExitTrouble;
    }
  }
  List(io.out, options, options.json_lines, fix.repaired, "fixed");
  bool left = List(io.out, options, options.json_lines, after.Found());
  ReportError(io,
              "lint: " + options.table_path + ": " + std::to_string(fix.repaired.size()) +
                  (fix.repaired.size() == 1 ? " repair" : " repairs") +
                  (fix.Changes() && !backup.empty() ? " made, the table as it was kept as " + backup
                   : fix.Changes()                  ? " made"
                                                    : ": nothing to repair"));
  return left ? kExitFindings : kExitClean;
}

int Lint(CliStreams& io, const LintOptions& options) {
  FileRead table = ReadTableFile(options.table_path);
  if (!table.ok()) {
    ReportError(io, ReadProblem(options.table_path, table));
    return kExitTrouble;
  }
  std::string& bytes = table.bytes;
  LoadedDocuments documents;
  MigrationXMLNode* source = nullptr;
  MigrationXMLNode* target = nullptr;
  if (!options.source_path.empty() &&
      !(source = LoadDictionary(options.source_path, io, documents.source))) {
    return kExitTrouble;
  }
  if (!options.target_path.empty() &&
      !(target = LoadDictionary(options.target_path, io, documents.target))) {
    return kExitTrouble;
  }
  std::unique_ptr<TableNames> names;
  if (source || target) {
    const PassProfile& profile = ProfileFor(options.v5v5, options.old_format);
    names = std::make_unique<TableNames>(profile, source, target,
                                         [&profile](const ClassFindings& batch, Hazards& found) {
                                           FindMarkupNames(batch, profile.v5v5, found);
                                         });
  }
  TableAnalysis analysis(std::move(bytes), names.get());
  if (analysis.Encoding() == TableEncoding::kBinary) {
    ReportError(io, options.table_path + ": holds binary data, not text: not a mapping table");
    return kExitTrouble;
  }
  if (options.fix) return Fix(io, options, analysis, names.get());
  return List(io.out, options, options.json_lines, analysis.Found()) ? kExitFindings : kExitClean;
}

}  // namespace

int RunLintCommand(std::span<const std::string> arguments, CliStreams& io) {
  LintOptions options;
  try {
    ParsedArguments parsed = ParseArguments(arguments, kOptions);
    if (parsed.Has("help")) {
      io.out << kUsageLine << kHelp;
      return kExitClean;
    }
    options = ReadOptions(parsed);
  } catch (const UsageError& error) {
    ReportError(io, std::string("lint: ") + error.what());
    io.err << kUsageLine << "Run 'zorvez lint --help' for the options.\n";
    return kExitTrouble;
  }
  return Lint(io, options);
}
