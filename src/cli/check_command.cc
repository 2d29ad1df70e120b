#include <array>

#include "cli/check_text.h"
#include "cli/hazard_lines.h"
#include "cli/option_parser.h"
#include "cli/report_names.h"
#include "cli/subcommands.h"
#include "cli/table_warnings.h"
#include "cli/verdict_set.h"
#include "comparison_run/comparison_run.h"
#include "output/json_lines_renderer.h"

namespace {

constexpr std::array<OptionRule, 6> kCheckOptions{{
    {"help", 'h', false},
    {"quiet", 'q', false},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"format", '\0', true},
    {"fail-on", '\0', true},
}};

constexpr const char* kCheckUsage =
    "usage: zorvez check [--v5] [--old] [--format text|jsonl] [--fail-on LIST] [-q]\n"
    "                    SOURCE.xml TARGET.xml MAPPING.csv\n"
    "\n"
    "Compares SOURCE.xml with TARGET.xml through MAPPING.csv, as the defined tool\n"
    "does, and reports the findings without writing any file.\n"
    "\n"
    "  --v5             compare two V5 dictionaries\n"
    "  --old            read V5 dictionaries in the older attribute layout\n"
    "  --format FORMAT  text (default): the classes, class findings and attribute\n"
    "                   findings counted per verdict, then the red, blue and purple\n"
    "                   findings (and those of the --fail-on verdicts) listed;\n"
    "                   jsonl: one JSON record per finding, then a summary record\n"
    "  --fail-on LIST   verdicts that make the exit status 1 (default\n"
    "                   red,blue,purple,grey; grey: attributes with no row or\n"
    "                   whose row the run drops;\n"
    "                   'hazard': warnings about the table or a name holding\n"
    "                   markup; 'none' never fails)\n"
    "  -q, --quiet      print nothing; the exit status alone tells\n"
    "  -h, --help       print this help\n"
    "\n"
    "Exit status: 0 no finding with a --fail-on verdict, 1 some, 2 usage error or\n"
    "an input that cannot be used.\n";

struct CheckOptions {
  FindingRunOptions run;
  bool json_lines = false;
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
  if (format != "text" && format != "jsonl") {
    throw UsageError("--format: '" + format + "' is not a format (text or jsonl)");
  }
  options.json_lines = format == "jsonl";
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

// Hands every batch to the watches, then to the renderer, if any.
class CheckSinks : public FindingSink {
 public:
  CheckSinks(FindingSink* renderer, VerdictWatch& watch, ReportNameWatch& names)
      : renderer_(renderer), watch_(watch), names_(names) {}
  void Accept(const ClassFindings& batch) override {
    watch_.Accept(batch);
    names_.Accept(batch);
    if (renderer_) renderer_->Accept(batch);
  }

 private:
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

int RunCheck(const CheckOptions& options, CliStreams& io) {
  TableInput table = ReadTableInput(options.run.mapping_path);
  Hazards warnings;
  if (TableWarnings(table, io, warnings) != kExitClean) return kExitTrouble;
  if (!options.quiet) ReportTableWarnings(options.run.mapping_path, io, warnings);
  const bool json_lines = options.json_lines && !options.quiet;
  if (json_lines) {
    for (const Hazard& hazard : warnings) io.out << HazardJsonLine(hazard);
  }
  // A markup hazard goes out just before the findings that show the name.
  ReportNameWatch names(options.run, [&](const PlacedHazard& placed) {
    if (json_lines) io.out << HazardJsonLine(placed.hazard, "hazard", placed.file);
  });
  VerdictWatch watch(options.fail_on);
  ComparisonTotals totals;
  int status = kExitClean;
  if (options.quiet) {
    CheckSinks sinks(nullptr, watch, names);
    status = RunFindings(options.run, table, io, sinks, totals);
  } else if (json_lines) {
    JsonLinesRenderer lines([&](std::string_view line) { io.out << line; }, options.run.v5v5);
    CheckSinks sinks(&lines, watch, names);
    status = RunFindings(options.run, table, io, sinks, totals);
    if (status == kExitClean) lines.Finish(totals);
  } else {
    CheckTextRenderer text(options.run.mapping_path, ListedVerdicts(options.fail_on),
                           options.run.v5v5, io.colour_out);
    CheckSinks sinks(&text, watch, names);
    status = RunFindings(options.run, table, io, sinks, totals);
    if (status == kExitClean) text.Write(io.out, totals);
  }
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
