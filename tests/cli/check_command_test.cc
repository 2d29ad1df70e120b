// zorvez check: its findings agree line for line with the defined report of
// every case tree and example, its exit statuses mean what they say, and
// hostile names come out as valid JSON.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "cli_harness.h"
#include "driver/run_sequence.h"
#include "text/text_helpers.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

struct ClassLine {
  std::string verdict;
  std::string key;
  bool operator==(const ClassLine&) const = default;
};

std::ostream& operator<<(std::ostream& out, const ClassLine& line) {
  return out << line.verdict << ":" << line.key;
}

std::string VerdictOfLine(const std::string& line) {
  static const std::vector<std::pair<std::string, std::string>> kColours = {
      {"#FF0000", "red"}, {"#0000FF", "blue"}, {"#FF6600", "orange"}, {"#007200", "green"}};
  size_t first = line.find("color=\"#");
  for (const auto& [colour, verdict] : kColours) {
    if (line.compare(first + 7, 7, colour) != 0) continue;
    bool purple_reason = verdict == "blue" && line.find("#990099") != std::string::npos;
    return purple_reason ? "purple" : verdict;
  }
  return "unknown";
}

// Every line of the report that carries a class's anchor, in order; the
// orange line written again above retained attributes counts once.
std::vector<ClassLine> ReportClassLines(const std::string& report) {
  std::vector<ClassLine> lines;
  std::istringstream in(report);
  for (std::string line; std::getline(in, line);) {
    size_t anchor = line.find("<a name=\"");
    if (anchor == std::string::npos) continue;
    size_t start = anchor + 9, end = line.find("\"></a>", start);
    std::string key = line.substr(start, end - start);
    if (key == "comparatortotals" || key == "unmappedv4classes" || key == "wrongdomain") continue;
    ClassLine entry{VerdictOfLine(line), key};
    if (entry.verdict == "orange" && !lines.empty() && lines.back() == entry) continue;
    lines.push_back(entry);
  }
  return lines;
}

long ReportTotal(const std::string& report, const std::string& label) {
  size_t at = report.find(label);
  return at == std::string::npos ? -1 : std::stol(report.substr(at + label.size()));
}

std::vector<json> Records(const std::string& jsonl) {
  std::vector<json> records;
  std::istringstream in(jsonl);
  for (std::string line; std::getline(in, line);) records.push_back(json::parse(line));
  return records;
}

std::vector<ClassLine> ClassRecords(const std::vector<json>& records) {
  std::vector<ClassLine> lines;
  for (const json& record : records) {
    if (record["record"] != "class") continue;
    // The report writes keys with their ampersands escaped.
    ZORUnicodeString key(record["class"]["key"].get<std::string>());
    AmpToggleHTML(key);
    lines.push_back({record["verdict"].get<std::string>(), key.str()});
  }
  return lines;
}

// A comparison named by the defined tool's arguments, as check's operands.
struct Comparison {
  std::vector<std::string> check_arguments;
  fs::path report;
};

std::optional<Comparison> ComparisonOf(const fs::path& tree, const fs::path& reports,
                                       const std::vector<std::string>& arguments) {
  Comparison comparison{{"check", "--format", "jsonl", "--fail-on", "none"}, {}};
  std::string source, target, table, output;
  for (size_t i = 0; i < arguments.size(); ++i) {
    std::string word = arguments[i];
    std::transform(word.begin(), word.end(), word.begin(), ::tolower);
    if (word == "-v5") comparison.check_arguments.push_back("--v5");
    if (word == "-old") comparison.check_arguments.push_back("--old");
    if (word == "-i" && i + 2 < arguments.size()) {
      source = arguments[i + 1];
      target = arguments[i + 2];
    }
    if (word == "-m" && i + 1 < arguments.size()) table = arguments[i + 1];
    if (word == "-o" && i + 1 < arguments.size()) output = arguments[i + 1];
  }
  if (source.empty() || table.empty() || output.empty()) return std::nullopt;
  const fs::path dictionary = tree / "Dictionary";
  comparison.check_arguments.push_back("--");
  comparison.check_arguments.push_back((dictionary / "V4_Exported_XML" / source).string());
  comparison.check_arguments.push_back((dictionary / "V5_Exported_XML" / target).string());
  comparison.check_arguments.push_back((dictionary / "MappingTable" / table).string());
  comparison.report = reports / (output + ".html");
  return comparison;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// Every comparison case with its expected report.
std::vector<Comparison> CaseComparisons() {
  std::vector<Comparison> comparisons;
  const fs::path cases = fs::path(ZOR_TEST_DATA_DIR) / "cases";
  for (const fs::directory_entry& entry : fs::directory_iterator(cases)) {
    const fs::path reports = entry.path() / "expected" / "files" / "Dictionary" / "Reports";
    std::optional<Comparison> comparison = ComparisonOf(
        entry.path() / "tree", reports, Lines(zor_test::ReadFile(entry.path() / "args")));
    if (comparison && fs::exists(comparison->report)) comparisons.push_back(*comparison);
  }
  return comparisons;
}

// Both examples, with reports the defined run writes into a scratch copy.
std::vector<Comparison> ExampleComparisons(const fs::path& scratch) {
  std::vector<Comparison> comparisons;
  const struct {
    const char* name;
    bool v5v5;
    const char *source, *target;
  } examples[] = {{"v4v5", false, "plant_v4.xml", "plant_v5.xml"},
                  {"v5v5", true, "plant_a.xml", "plant_b.xml"}};
  for (const auto& example : examples) {
    const fs::path root = scratch / example.name;
    zor_test::CopyExample(example.name, root);
    const fs::path dictionary = root / "Dictionary";
    RunSettings settings;
    settings.v5v5_mode = example.v5v5;
    settings.source_xml_path = (dictionary / "V4_Exported_XML" / example.source).string();
    settings.target_xml_path = (dictionary / "V5_Exported_XML" / example.target).string();
    settings.mapping_table_path = (dictionary / "MappingTable" / "plant_mapping.csv").string();
    settings.report_path = (dictionary / "Reports" / "check.html").string();
    settings.proposed_ddl_path = (dictionary / "DDL_Files" / "check.xml").string();
    settings.proposed_mapping_path = (dictionary / "DDL_Files" / "check.csv").string();
    testing::internal::CaptureStdout();  // the defined run's console
    RunComparison(settings);
    testing::internal::GetCapturedStdout();
    std::vector<std::string> arguments{
        "-i", example.source, example.target, "-m", "plant_mapping.csv", "-o", "check"};
    if (example.v5v5) arguments.push_back("-v5");
    comparisons.push_back(*ComparisonOf(root, dictionary / "Reports", arguments));
  }
  return comparisons;
}

TEST(CheckCommand, FindingsAgreeWithTheReportOfEveryCaseAndExample) {
  zor_test::ScratchDirectory scratch;
  std::vector<Comparison> comparisons = CaseComparisons();
  ASSERT_GT(comparisons.size(), 20u);
  for (const Comparison& example : ExampleComparisons(scratch.path())) {
    comparisons.push_back(example);
  }
  for (const Comparison& comparison : comparisons) {
    SCOPED_TRACE(comparison.report.string());
    zor_test::CliRun run = zor_test::RunCli(comparison.check_arguments);
    std::string report = zor_test::ReadFile(comparison.report);
    if (run.status == 2) {
      // Refused inputs are those the defined tool reads as empty; the
      // message names the file.
      auto inputs = std::span(comparison.check_arguments).last(3);
      EXPECT_TRUE(std::any_of(inputs.begin(), inputs.end(), [&](const std::string& input) {
        return run.err.starts_with("zorvez: " + input + ":");
      })) << run.err;
      continue;
    }
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<json> records = Records(run.out);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(ClassRecords(records), ReportClassLines(report));
    const json& summary = records.back();
    ASSERT_EQ(summary["record"], "summary");
    EXPECT_EQ(summary["classes"], ReportTotal(report, "Total number of classes: "));
    EXPECT_EQ(summary["new_classes_suggested"], ReportTotal(report, "New classes suggested: "));
    EXPECT_EQ(summary["requested_unmapped"],
              ReportTotal(report, "V4 classes requested unmapped: "));
    long counted = 0;
    for (const auto& [verdict, count] : summary["verdicts"].items()) counted += count.get<long>();
    EXPECT_EQ(counted, static_cast<long>(ReportClassLines(report).size()));
  }
}

}  // namespace

namespace {

// The V4/V5 example's inputs, in a scratch copy made once per test run.
std::vector<std::string> ExampleOperands() {
  static const zor_test::ScratchDirectory copy;
  static const fs::path example = [] {
    zor_test::CopyExample("v4v5", copy.path());
    return copy.path() / "Dictionary";
  }();
  return {(example / "V4_Exported_XML" / "plant_v4.xml").string(),
          (example / "V5_Exported_XML" / "plant_v5.xml").string(),
          (example / "MappingTable" / "plant_mapping.csv").string()};
}

std::vector<std::string> Joined(std::vector<std::string> head, std::vector<std::string> tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

// A small tree written into a scratch folder: source, target and table.
struct SmallTree {
  zor_test::ScratchDirectory scratch;
  std::vector<std::string> operands;

  SmallTree(const std::string& source, const std::string& target, const std::string& table) {
    zor_test::WriteFile(scratch.path() / "source.xml", source);
    zor_test::WriteFile(scratch.path() / "target.xml", target);
    zor_test::WriteFile(scratch.path() / "table.csv", table);
    for (const char* name : {"source.xml", "target.xml", "table.csv"}) {
      operands.push_back((scratch.path() / name).string());
    }
  }
};

const char* kGreenSource =
    "<D Name=\"S\"><Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\" ShortParent=\"EQ\">"
    "<Simple Name=\"Flow\" ShortName=\"FL\" Type=\"Real\"/></Class></D>";
const char* kGreenTarget =
    "<D Name=\"T\" Domain=\"EQT\"><Class Name=\"Pump5\" DisplayName=\"Pump Five\" "
    "Superclass=\"Equipment\"><Simple Name=\"Flow5\" DisplayName=\"Flow Five\"/></Class></D>";
const char* kGreenTable =
    "Pump,Equipment,*,Pump5,Equipment,*,EQT,\nPump,Equipment,Flow,Pump5,Equipment,Flow5,EQT,\n";

TEST(CheckCommand, ExitStatusSaysWhatHappened) {
  SmallTree green(kGreenSource, kGreenTarget, kGreenTable);
  SmallTree malformed("<D>\n  <Class Name=\"x\">\n</D>\n", kGreenTarget, kGreenTable);
  const std::string folder = green.scratch.path().string();
  struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string in_err;  // a piece of the message on standard error
  } cases[] = {
      {Joined({"check"}, ExampleOperands()), 1, ""},
      {Joined({"check", "--fail-on", "none"}, ExampleOperands()), 0, ""},
      {Joined({"check", "--fail-on=orange"}, ExampleOperands()), 1, ""},
      {Joined({"check"}, green.operands), 0, ""},
      {Joined({"check", "--fail-on", "green"}, green.operands), 1, ""},
      {{"check", "--", green.operands[0], green.operands[1], green.operands[2]}, 0, ""},
      {{"check", folder + "/absent.xml", green.operands[1], green.operands[2]},
       2,
       "zorvez: " + folder + "/absent.xml: no such file"},
      {{"check", green.operands[0], folder, green.operands[2]},
       2,
       "zorvez: " + folder + ": is a directory, not a file"},
      {Joined({"check"}, malformed.operands), 2, malformed.operands[0] + ":3:3: mismatched tag"},
      {{"check"}, 2, "missing operands"},
      {Joined({"check", "--format", "xml"}, green.operands), 2, "not a format"},
      {Joined({"check", "--fail-on", "pink"}, green.operands), 2, "not a verdict"},
      {Joined({"check", "--bogus"}, green.operands), 2, "unknown option '--bogus'"},
      {Joined({"check", "--v5=yes"}, green.operands), 2, "takes no value"},
      {{"check", "--format"}, 2, "needs a value"},
      {{"frobnicate"}, 2, "unknown subcommand"},
      {{}, 2, "usage: zorvez"},
      {{"check", "--help"}, 0, ""},
      {{"help", "check"}, 0, ""},
      {{"--version"}, 0, ""},
  };
  for (const Case& test : cases) {
    zor_test::CliRun run = zor_test::RunCli(test.arguments);
    std::string shown;
    for (const std::string& argument : test.arguments) shown += argument + " ";
    EXPECT_EQ(run.status, test.status) << shown << "\n" << run.err;
    EXPECT_NE(run.err.find(test.in_err), std::string::npos) << shown << "\n" << run.err;
    if (test.status == 0) {
      EXPECT_EQ(run.err, "") << shown;
    }
  }
}

// Every count says what it counts, each heading's number is the number of
// lines under it, and the list does not depend on what decides the exit
// status; --quiet prints nothing.
TEST(CheckCommand, TextCountsAndListsWhatItSays) {
  const std::string table = ExampleOperands()[2];
  const std::vector<std::string> listed = {
      "11 classes, 12 class findings (a class can have two): 2 red, 1 blue, 3 purple, 2 orange, "
      "4 green\n15 attribute findings: 4 red, 3 blue, 3 purple, 1 orange, 4 green; 1 child "
      "finding\nnew classes suggested: 5, classes requested unmapped: 2\n",
      "\nred class findings (2):\n  " + table + ":12: Pressure Gauge (PGA) is badly mapped",
      "\n  Strainer (STR) not found",
      "\nred attribute findings of classes not listed (",
      "\n  Pump (PMP), green class: " + table + ":4: Motor Power is badly mapped",
      "\nblue class findings (1):\n  " + table + ":11: Check Valve (CVL) not found",
      "\npurple class findings (3):\n",
      table + ":13: Orifice Plate (ORP) not found",
      table + ":14: Level Switch (LSW)"};
  struct Case {
    std::vector<std::string> options;
    int status;
    bool orange_listed;
  } cases[] = {{{}, 1, false}, {{"--fail-on", "none"}, 0, false}, {{"--fail-on=orange"}, 1, true}};
  for (const Case& test : cases) {
    zor_test::CliRun run =
        zor_test::RunCli(Joined(Joined({"check"}, test.options), ExampleOperands()));
    EXPECT_EQ(run.status, test.status);
    for (const std::string& expected : listed) {
      EXPECT_NE(run.out.find(expected), std::string::npos) << expected << "\n" << run.out;
    }
    EXPECT_EQ(run.out.find("\norange class findings (2):\n") != std::string::npos,
              test.orange_listed);
    EXPECT_EQ(run.out.find("\ngreen "), std::string::npos) << "green is not asked for";
    EXPECT_EQ(run.out.find("\033["), std::string::npos) << "colour without a terminal";
    // Under each heading "(N):", N lines at the first indent.
    std::istringstream lines(run.out);
    long promised = -1, seen = 0;
    for (std::string line; std::getline(lines, line);) {
      if (line.ends_with("):")) {
        EXPECT_TRUE(promised < 0 || promised == seen) << run.out;
        promised = std::stol(line.substr(line.rfind('(') + 1)), seen = 0;
      } else if (line.starts_with("  ") && !line.starts_with("   ")) {
        ++seen;
      }
    }
    EXPECT_EQ(promised, seen) << run.out;
  }
  zor_test::CliRun quiet = zor_test::RunCli(Joined({"check", "-q"}, ExampleOperands()));
  EXPECT_EQ(quiet.status, 1);
  EXPECT_EQ(quiet.out + quiet.err, "");
}

// Names from a windows-1252 dictionary and from a table holding control
// characters and bytes that are not UTF-8 come out as valid JSON, the
// dictionary's names exactly as read.
TEST(CheckCommand, HostileNamesComeOutAsValidJson) {
  const std::string script = "</script><script>alert(1)</script>";
  const std::string image = "<img src=x onerror=alert(1)>";
  SmallTree tree(
      "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<D Name=\"H\">"
      "<Class Name=\"&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;\" ShortName=\"S&quot;1\""
      " Parent=\"P\" ShortParent=\"PP\"><Simple Name=\"&lt;img src=x onerror=alert(1)&gt;\""
      " ShortName=\"Eur\x80\" Type=\"T\"/></Class>"
      "<Class Name=\"Unmapped\" ShortName=\"U1\" Parent=\"P\" ShortParent=\"PP\"/></D>",
      kGreenTarget,
      "Unmapped,P,*,No Mapping,,*,EQT,\nUnmapped,P,Kept\x01,T,TP,TA,EQT,\n"
      "Child\xE9 \"quoted\\\",Unmapped,*,X,Y,*,EQT,\n");
  zor_test::CliRun run = zor_test::RunCli(Joined({"check", "--format", "jsonl"}, tree.operands));
  ASSERT_EQ(run.status, 1) << run.err;
  std::vector<json> records;
  ASSERT_NO_THROW(records = Records(run.out)) << run.out;
  std::map<std::string, json> by_finding;
  for (const json& record : records) by_finding[record.value("finding", "summary")] = record;
  const json& red = by_finding["not_in_mapping_table"];
  EXPECT_EQ(red["record"], "attribute");
  EXPECT_EQ(red["class"]["label"], script);
  EXPECT_EQ(red["class"]["key"], "S\"1");
  EXPECT_EQ(red["attribute"]["label"], image);
  EXPECT_EQ(red["attribute"]["key"], "Eur\u20ac");
  EXPECT_EQ(red["message"], image + " (Eur\u20ac) is an attribute under " + script + ".");
  EXPECT_EQ(by_finding["retained"]["attribute"]["label"], "Kept\x01");
  EXPECT_EQ(by_finding["child_loses_attributes"]["child"]["label"],
            "Child\xEF\xBF\xBD \"quoted\\\"");
  EXPECT_EQ(by_finding["child_loses_attributes"]["row"]["line"], 3);

  zor_test::CliRun text =
      zor_test::RunCli(Joined({"check", "--fail-on", "red,orange"}, tree.operands));
  EXPECT_EQ(text.out.find('\x01'), std::string::npos) << "control character on the terminal";
  EXPECT_NE(text.out.find(script), std::string::npos);
}

}  // namespace

namespace {

std::vector<json> RecordsOf(const std::string& jsonl, const std::string& finding) {
  std::vector<json> found;
  for (const json& record : Records(jsonl)) {
    if (record.value("finding", record.value("code", "")) == finding) found.push_back(record);
  }
  return found;
}

// An attribute row naming another target class than its class row's is
// looked for in the first target class under the row's parent only; when
// that look finds nothing, the defined run writes nothing, and check says so
// with the row's line.
TEST(CheckCommand, AttributeRowsTheRunDropsAreFindings) {
  const std::vector<std::string> example = ExampleOperands();
  const std::string strainer = "Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n";
  struct Case {
    std::string attribute_row;
    std::string message;  // of the dropped_row finding; empty: none
  } cases[] = {
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,\n",
       "Mesh Size (MSH) is not compared: its row names MeshSize of YStrainer, but the run looks "
       "only in GateValve, the first V5 class under Valve, which lacks it."},
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,Nowhere,MeshSize,\n",
       "Mesh Size (MSH) is not compared: its row names MeshSize of YStrainer, but no V5 class has "
       "the parent Nowhere."},
      // Found under the parent the row names: a valid attribute, nothing dropped.
      {"Strainer,Pipe Fitting,Mesh Size,Valve,Equipment,BodyMaterial,\n", ""},
      // The found class's own parent: compared there (and proposed), not dropped.
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,PipingComponent,Mesh,\n", ""},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.attribute_row);
    SmallTree tree(zor_test::ReadFile(example[0]), zor_test::ReadFile(example[1]),
                   strainer + test.attribute_row);
    zor_test::CliRun run = zor_test::RunCli(Joined({"check", "--format", "jsonl"}, tree.operands));
    EXPECT_EQ(run.status, 1);  // the other classes are not in the table
    std::vector<json> dropped = RecordsOf(run.out, "dropped_row");
    EXPECT_EQ(Records(run.out).back()["dropped_row"], dropped.size());
    if (test.message.empty()) {
      EXPECT_TRUE(dropped.empty()) << run.out;
      continue;
    }
    ASSERT_EQ(dropped.size(), 1u) << run.out;
    EXPECT_EQ(dropped[0]["verdict"], "grey");
    EXPECT_EQ(dropped[0]["message"], test.message);
    EXPECT_EQ(dropped[0]["row"]["line"], 2);
    EXPECT_EQ(dropped[0]["target"]["class"], "YStrainer");
    zor_test::CliRun text = zor_test::RunCli(Joined({"check"}, tree.operands));
    EXPECT_NE(text.out.find(tree.operands[2] + ":2: " + test.message), std::string::npos)
        << text.out;
  }
}

// Names the defined files would mangle: markup the report writes as HTML
// is a hazard placed where the name is written (a class's name at its
// element, an attribute's at its own), before the findings that show it; a
// name with a comma has proposed rows no table can hold; one dictionary
// named twice is a slip. Only the hazards and warnings change, never the
// findings.
TEST(CheckCommand, WarnsOfNamesTheDefinedFilesMangle) {
  SmallTree tree(
      "<D Name=\"S\">\n"
      "  <Class Name=\"Filter &quot;Y&quot;, Basket &amp; Cone "
      "&lt;script&gt;alert(1)&lt;/script&gt;\""
      " ShortName=\"FLT\" Parent=\"Pipe Fitting\" ShortParent=\"PF\">\n"
      "    <Simple Name=\"Mesh, Size\" ShortName=\"MS\" Type=\"Real\"/>\n"
      "  </Class>\n"
      "  <Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\" ShortParent=\"EQ\">\n"
      "    <Simple Name=\"&lt;b&gt;Flow\" ShortName=\"FL\" Type=\"Real\"/>\n"
      "  </Class>\n</D>\n",
      kGreenTarget, "Pump,Equipment,*,Pump5,Equipment,*,EQT,\n");
  const std::string source = tree.operands[0];
  const std::string label = "Filter \"Y\", Basket & Cone <script>alert(1)</script>";

  zor_test::CliRun lines = zor_test::RunCli(Joined({"check", "--format", "jsonl"}, tree.operands));
  std::vector<json> records = Records(lines.out);
  std::vector<std::pair<std::string, long>> markup;
  for (size_t i = 0; i < records.size(); ++i) {
    if (records[i]["record"] != "hazard") continue;
    EXPECT_EQ(records[i]["code"], "markup_name");
    EXPECT_EQ(records[i]["file"], source);
    ASSERT_LT(i + 1, records.size());
    EXPECT_EQ(records[i + 1]["record"], "class") << "a hazard comes before its class's findings";
    markup.push_back({records[i + 1]["class"]["key"], records[i]["line"]});
  }
  EXPECT_EQ(markup, (std::vector<std::pair<std::string, long>>{{"FLT", 2}, {"PMP", 6}}));

  zor_test::CliRun text = zor_test::RunCli(Joined({"check", "--fail-on", "none"}, tree.operands));
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("\nhazards (2):\n  " + source + ":2:1: warning: '" + label +
                          "' holds '<' or '>'"),
            std::string::npos)
      << text.out;
  EXPECT_NE(text.out.find("open it in a browser only through 'zorvez explore'"), std::string::npos);
  for (const std::string& warning :
       {source + ":2: warning: 2 rows of the proposed mapping hold '" + label + "', whose comma",
        source + ":2: warning: 1 row of the proposed mapping holds 'Mesh, Size', whose comma"}) {
    EXPECT_NE(text.err.find(warning), std::string::npos) << warning << "\n" << text.err;
  }
  EXPECT_EQ(zor_test::RunCli(Joined({"check", "--fail-on", "hazard"}, tree.operands)).status, 1);
  EXPECT_EQ(zor_test::RunCli(Joined({"check"}, tree.operands)).status, 1);
  EXPECT_EQ(zor_test::RunCli(Joined({"check", "-q", "--fail-on", "hazard"}, tree.operands)).err,
            "");

  const std::string twice = "are the same file";
  const std::string spelled_otherwise =
      (fs::path(source).parent_path() / "." / "source.xml").string();
  zor_test::CliRun same =
      zor_test::RunCli({"check", "--fail-on", "none", source, spelled_otherwise, tree.operands[2]});
  EXPECT_NE(same.err.find(twice), std::string::npos) << same.err;
  EXPECT_EQ(zor_test::RunCli({"check", "-q", source, source, tree.operands[2]}).err, "");
  EXPECT_EQ(text.err.find(twice), std::string::npos);
}

}  // namespace
