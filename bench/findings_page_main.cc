// zor_findings_page: writes the explorer page from finding records saved as
// JSON Lines, the way `zorvez explore` writes it from a comparison. The
// browser tests and the page benchmark use it on hand-written and generated
// records.
//
//   zor_findings_page [--v5] [--old] [--report REPORT.html] -o PAGE.html FINDINGS.jsonl
#include <array>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cli/explore_page_file.h"
#include "cli/option_parser.h"
#include "platform/file_problem.h"
#include "platform/utf8_files.h"

namespace {

constexpr std::array<OptionRule, 4> kOptions{{
    {"v5", '\0', false},
    {"old", '\0', false},
    {"report", '\0', true},
    {"output", 'o', true},
}};

int ReadRecords(const std::string& path, CliStreams& io,
                const std::function<void(const nlohmann::json&)>& visit) {
  std::ifstream in;
  if (!OpenInputUtf8(in, path.c_str())) {
    ReportError(io, FileProblem(path, "cannot read"));
    return kExitTrouble;
  }
  std::string line;
  for (long number = 1; std::getline(in, line); ++number) {
    if (line.empty()) continue;
    try {
      visit(nlohmann::json::parse(line));
    } catch (const nlohmann::json::parse_error& error) {
      ReportError(io, path + ":" + std::to_string(number) + ": " + error.what());
      return kExitTrouble;
    }
  }
  return kExitClean;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  CliStreams io = ProcessStreams();
  ParsedArguments parsed;
  try {
    parsed = ParseArguments(arguments, kOptions);
    RequireOperands(parsed, 1, "FINDINGS.jsonl");
    if (parsed.Value("output").empty()) throw UsageError("missing -o PAGE.html");
  } catch (const UsageError& error) {
    ReportError(io, error.what());
    return kExitTrouble;
  }
  const std::string findings = parsed.Operands()[0];
  ExplorePageOptions page;
  page.sourceName = findings;
  page.targetName = "(recorded findings)";
  page.mappingName = "(recorded findings)";
  page.v5v5 = parsed.Has("v5");
  page.oldFormat = parsed.Has("old");
  page.reportPath = parsed.Value("report");
  return WriteExplorePageFile(parsed.Value("output"), page, io, [&](ExplorePageWriter& writer) {
    return ReadRecords(findings, io, [&](const nlohmann::json& record) { writer.Add(record); });
  });
}
