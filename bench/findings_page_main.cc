// zor_findings_page: writes the explorer page from finding records saved as
// JSON Lines, the way `zorvez explore` writes it from a comparison. The
// browser tests and the page benchmark use it on hand-written and generated
// records.
//
// Suggestion records of `zorvez suggest --format jsonl` go into the page as
// suggestions to review. Two record kinds exist for this tool alone, to give
// such a page the target dictionary that `explore --suggest` reads itself:
//   {"record":"target_class","key":K,"label":L,"parent":P,"attributes":[{"key":..,"label":..}]}
//   {"record":"domains","target":{PARENT:DOMAIN},"source":{PARENT:DOMAIN},"fallback":D}
//   {"record":"source_row","key":K,"name":N,"parent":P,"mapped":TARGET_KEY}
// The target_class records come before the suggestions: an attribute
// candidate of a class the block has not been given travels by key and label.
//
//   zor_findings_page [--v5] [--old] [--report REPORT.html] -o PAGE.html FINDINGS.jsonl
#include <array>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "bench/suggestion_record_reader.h"
#include "cli/explore_page_file.h"
#include "cli/option_parser.h"
#include "platform/file_problem.h"
#include "platform/utf8_files.h"

namespace {

std::string Text(const nlohmann::json& object, const char* name) {
  auto at = object.find(name);
  return at != object.end() && at->is_string() ? at->get<std::string>() : std::string();
}

std::map<std::string, std::string, std::less<>> TextMap(const nlohmann::json& object,
                                                        const char* name) {
  std::map<std::string, std::string, std::less<>> out;
  auto at = object.find(name);
  if (at == object.end() || !at->is_object()) return out;
  for (const auto& [key, value] : at->items()) {
    if (value.is_string()) out[key] = value.get<std::string>();
  }
  return out;
}

// Takes the target dictionary's records; false for any other record.
bool TakeTargetRecord(const nlohmann::json& record, NameStore& names,
                      std::vector<SuggestClass>& target, SuggestDomains& domains,
                      SuggestionBlock& block) {
  if (!record.is_object()) return false;
  std::string kind = Text(record, "record");
  if (kind == "source_row") {
    block.SetSourceRow(Text(record, "key"),
                       {Text(record, "name"), Text(record, "parent"), Text(record, "mapped")});
    return true;
  }
  if (kind == "target_class") {
    SuggestClass c;
    c.key = names.Keep(Text(record, "key"));
    c.label = names.Keep(Text(record, "label"));
    c.parent_key = names.Keep(Text(record, "parent"));
    auto attributes = record.find("attributes");
    if (attributes != record.end() && attributes->is_array()) {
      for (const nlohmann::json& a : *attributes) {
        if (a.is_object())
          c.attributes.push_back({names.Keep(Text(a, "label")), names.Keep(Text(a, "key"))});
      }
    }
    target.push_back(std::move(c));
    return true;
  }
  if (kind == "domains") {
    domains.by_target_parent = TextMap(record, "target");
    domains.by_source_parent = TextMap(record, "source");
    domains.fallback = Text(record, "fallback");
    return true;
  }
  return false;
}

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
  page.source_name = findings;
  page.target_name = "(recorded findings)";
  page.mapping_name = "(recorded findings)";
  page.v5v5 = parsed.Has("v5");
  page.old_format = parsed.Has("old");
  page.report_path = parsed.Value("report");
  return WriteExplorePageFile(parsed.Value("output"), page, io, [&](ExplorePageWriter& writer) {
    const auto names = std::make_shared<NameStore>();
    std::vector<SuggestClass> target;
    SuggestDomains domains;
    // The target goes to the block before the first suggestion, which may
    // then name its attributes by place, as `explore --suggest` does.
    bool target_given = false;
    auto give_target = [&]() {
      if (target_given) return;
      target_given = true;
      writer.Suggestions().SetTarget(names, std::move(target));
    };
    int status = ReadRecords(findings, io, [&](const nlohmann::json& record) {
      if (TakeTargetRecord(record, *names, target, domains, writer.Suggestions())) return;
      if (std::optional<SuggestionRecord> suggestion = ReadSuggestionRecord(record)) {
        give_target();
        writer.Suggestions().Add(*suggestion);
        return;
      }
      writer.Add(record);
    });
    give_target();
    writer.Suggestions().SetDomains(std::move(domains));
    return status;
  });
}
