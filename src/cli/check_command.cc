#include <array>
#include <filesystem>
#include <optional>

#include "cli/baseline_file.h"
#include "cli/check_text.h"
#include "cli/hazard_lines.h"
#include "cli/option_parser.h"
#include "cli/report_names.h"
#include "cli/subcommands.h"
#include "cli/table_warnings.h"
#include "cli/verdict_set.h"
#include "cli/zorvez.h"
#include "comparison_run/comparison_run.h"
#include "output/json_lines_renderer.h"
#include "output/sarif_renderer.h"
#include "platform/utf8_files.h"

namespace {

constexpr std::array<OptionRule, 7> kCheckOptions{{
    {"help", 'h', false},
    {"quiet", 'q', false},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"format", '\0', true},
    {"fail-on", '\0', true},
    {"baseline", '\0', true},
}};

constexpr const char* kCheckUsage =
    "usage: zorvez check [--v5] [--old] [--format text|jsonl|sarif] [--fail-on LIST]\n"
    "                    [--baseline FILE] [-q] SOURCE.xml TARGET.xml MAPPING.csv\n"
    "\n"
    "Compares SOURCE.xml with TARGET.xml through MAPPING.csv, as the defined tool\n"
    "does, and reports the findings without writing any file.\n"
    "\n"
    "  --v5             compare two V5 dictionaries\n"
    "  --old            read V5 dictionaries in the older attribute layout\n"
    "  --format FORMAT  text (default): the classes, class findings and attribute\n"
    "                   findings counted per verdict, then the red, blue and purple\n"
    "                   findings (and those of the --fail-on verdicts) listed;\n"
    "                   jsonl: one JSON record per finding, then a summary record;\n"
    "                   sarif: one SARIF 2.1.0 log, a result per finding, its\n"
    "                   paths relative to the current folder (%SRCROOT%)\n"
    "  --fail-on LIST   verdicts that make the exit status 1 (default\n"
    "                   red,blue,purple,grey; grey: attributes with no row or\n"
    "                   whose row the run drops;\n"
    "                   'hazard': warnings about the table or a name holding\n"
    "                   markup; 'none' never fails)\n"
    "  --baseline FILE  an earlier output of check (jsonl or sarif): its findings\n"
    "                   are 'unchanged' and never fail, only 'new' ones do; the\n"
    "                   summary counts new, unchanged and gone\n"
    "  -q, --quiet      print nothing; the exit status alone tells\n"
    "  -h, --help       print this help\n"
    "\n"
    "Exit status: 0 no finding with a --fail-on verdict (with --baseline: no new\n"
    "one), 1 some, 2 usage error or an input (or baseline) that cannot be used.\n";

enum class CheckFormat { kText, kJsonLines, kSarif };

struct CheckOptions {
  FindingRunOptions run;
  CheckFormat format = CheckFormat::kText;
  std::string baseline_path;  // empty: none
  bool quiet = false;
  VerdictSet fail_on;
  bool fail_on_hazards = false;
};

// The --fail-on list: verdicts, and "hazard" for the table's warnings.
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
  options.baseline_path = parsed.Value("baseline", "");
  if (parsed.Has("baseline") && options.baseline_path.empty()) {
    throw UsageError("--baseline: the file name is empty");
  }
  options.fail_on =
      ParseFailOn(parsed.Value("fail-on", "red,blue,purple,grey"), options.fail_on_hazards);
  options.quiet = parsed.Has("quiet");
  options.run.quiet = options.quiet;
  return options;
}

// The text lists the verdicts that ask for work whatever decides the exit
// status, and the --fail-on verdicts besides.
VerdictSet ListedVerdicts(VerdictSet fail_on) {
  for (Verdict verdict : {Verdict::kRed, Verdict::kBlue, Verdict::kPurple}) fail_on.Add(verdict);
  return fail_on;
}

// Hands every batch to the stamps, if any, then to the watches, then to the
// renderer, if any. With a baseline, only new findings decide the status.
class CheckSinks : public FindingSink {
 public:
  CheckSinks(FindingStamps* stamps, FindingSink* renderer, VerdictWatch& watch,
             ReportNameWatch& names)
      : stamps_(stamps), renderer_(renderer), watch_(watch), names_(names) {}
  void Accept(const ClassFindings& batch) override {
    if (stamps_) stamps_->Accept(batch);
    if (stamps_ && stamps_->HasBaseline()) {
      for (size_t i = 0; i < batch.findings.size(); ++i) {
        if (stamps_->Of(i).state == BaselineState::kNew) watch_.See(batch.findings[i].verdict);
      }
    } else {
      watch_.Accept(batch);
    }
    names_.Accept(batch);
    if (renderer_) renderer_->Accept(batch);
  }

 private:
  FindingStamps* stamps_;
  FindingSink* renderer_;
  VerdictWatch& watch_;
  ReportNameWatch& names_;
};

constexpr size_t kShownNames = 5;

// The names the defined files would mangle, on standard error: the markup
// hazards counted with the first few, and every row no table can hold.
void ReportNames(CliStreams& io, const ReportNameWatch& names) {
  const std::vector<PlacedHazard>& markup = names.MarkupNames();
  if (!markup.empty()) {
    size_t count = markup.size();
    ReportError(
        io, "warning: " + std::to_string(count) + (count == 1 ? " name holds" : " names hold") +
                " markup that the defined report writes as HTML; open such a report "
                "in a browser only through 'zorvez explore', which shows names as text" +
                (count > kShownNames ? "; the first " + std::to_string(kShownNames) + ":" : ":"));
    for (size_t i = 0; i < count && i < kShownNames; ++i) {
      io.err << "  " << HazardTextLine(markup[i].file, markup[i].hazard);
    }
  }
  for (const std::string& message : names.UnholdableNames()) ReportError(io, message);
}

// Where the SARIF log's paths start from: the current folder.
SarifRun SarifRunOf(const CheckOptions& options) {
#ifdef _WIN32
  constexpr PathStyle kStyle = PathStyle::kWindows;
#else
  constexpr PathStyle kStyle = PathStyle::kPosix;
#endif
  std::error_code error;
  std::string folder = Utf8FromPath(std::filesystem::current_path(error));
  SarifRun run{ZorvezVersion(),
               FolderUri(folder, kStyle),
               ArtifactUriOf(options.run.source_path, folder, kStyle),
               ArtifactUriOf(options.run.mapping_path, folder, kStyle),
               options.run.v5v5,
               {}};
  for (size_t verdict = 0; verdict < kVerdictCount; ++verdict) {
    run.failing[verdict] = options.fail_on.Has(static_cast<Verdict>(verdict));
  }
  return run;
}

// "baseline FILE: 1 new, 26 unchanged, 0 gone", the text's last line.
std::string BaselineLine(const std::string& path, const BaselineCounts& counts) {
  return "baseline " + path + ": " + std::to_string(counts.new_findings) + " new, " +
         std::to_string(counts.unchanged) + " unchanged, " + std::to_string(counts.gone) +
         " gone\n";
}

// Runs the comparison through the renderer of `format` (none when quiet)
// and ends its output once every class went through.
int RenderFindings(const CheckOptions& options, TableInput& table, CheckFormat format,
                   CliStreams& io, FindingStamps* stamps, VerdictWatch& watch,
                   ReportNameWatch& names) {
  ComparisonTotals totals;
  auto run = [&](FindingSink* renderer) {
    CheckSinks sinks(stamps, renderer, watch, names);
    return RunFindings(options.run, table, io, sinks, totals);
  };
  auto write = [&](std::string_view text) { io.out << text; };
  if (options.quiet) return run(nullptr);
  if (format == CheckFormat::kJsonLines) {
    JsonLinesRenderer lines(write, options.run.v5v5, stamps);
    int status = run(&lines);
    if (status == kExitClean) lines.Finish(totals);
    return status;
  }
  if (format == CheckFormat::kSarif) {
    SarifRenderer log(write, SarifRunOf(options), *stamps);
    int status = run(&log);
    if (status == kExitClean) log.Finish(totals);
    return status;
  }
  CheckTextRenderer text(options.run.mapping_path, ListedVerdicts(options.fail_on),
                         options.run.v5v5, io.colour_out, stamps);
  int status = run(&text);
  if (status == kExitClean) text.Write(io.out, totals);
  if (status == kExitClean && stamps && stamps->HasBaseline()) {
    io.out << BaselineLine(options.baseline_path, stamps->Counts());
  }
  return status;
}

int RunCheck(const CheckOptions& options, CliStreams& io) {
  BaselineFingerprints baseline;
  const bool with_baseline = !options.baseline_path.empty();
  if (with_baseline) {
    if (std::string problem = LoadBaseline(options.baseline_path, baseline); !problem.empty()) {
      ReportError(io, problem);
      return kExitTrouble;
    }
  }
  TableInput table = ReadTableInput(options.run.mapping_path);
  Hazards warnings;
  if (TableWarnings(table, io, warnings) != kExitClean) return kExitTrouble;
  if (!options.quiet) ReportTableWarnings(options.run.mapping_path, io, warnings);
  const CheckFormat format = options.quiet ? CheckFormat::kText : options.format;
  const bool json_lines = format == CheckFormat::kJsonLines;
  if (json_lines) {
    for (const Hazard& hazard : warnings) io.out << HazardJsonLine(hazard);
  }
  // A markup hazard goes out just before the findings that show the name.
  ReportNameWatch names(options.run, [&](const PlacedHazard& placed) {
    if (json_lines) io.out << HazardJsonLine(placed.hazard, "hazard", placed.file);
  });
  VerdictWatch watch(options.fail_on);
  // Fingerprints cost a little; the text without a baseline shows none.
  std::optional<FindingStamps> stamps;
  if (with_baseline || format != CheckFormat::kText) {
    stamps.emplace(with_baseline ? &baseline : nullptr);
  }
  int status =
      RenderFindings(options, table, format, io, stamps ? &*stamps : nullptr, watch, names);
  if (status != kExitClean) return status;
  if (!options.quiet) ReportNames(io, names);
  bool hazards = options.fail_on_hazards && (!warnings.empty() || !names.MarkupNames().empty());
  return watch.Seen() || hazards ? kExitFindings : kExitClean;
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
