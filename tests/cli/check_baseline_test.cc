// zorvez check --baseline: findings the baseline holds are unchanged and
// never fail, whichever of its two outputs the baseline is; a baseline that
// cannot be read is a usage error naming the file and why.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "cli_harness.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

// A pump with an attribute twice (two alike green findings), a class twice
// (two alike red findings),
// a class to complete (red) and one unmapped on purpose (orange).
constexpr const char* kSource =
    "<D Name=\"S\">\n"
    "<Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\" ShortParent=\"EQ\">\n"
    "<Simple Name=\"Flow\" ShortName=\"FL\" Type=\"Real\"/>\n"
    "<Simple Name=\"Flow\" ShortName=\"FL\" Type=\"Real\"/></Class>\n"
    "<Class Name=\"Drain\" ShortName=\"DR\" Parent=\"Equipment\" ShortParent=\"EQ\"/>\n"
    "<Class Name=\"Drain\" ShortName=\"DR\" Parent=\"Equipment\" ShortParent=\"EQ\"/>\n"
    "<Class Name=\"Sieve\" ShortName=\"SV\" Parent=\"Equipment\" ShortParent=\"EQ\"/>\n"
    "<Class Name=\"Sump\" ShortName=\"SMP\" Parent=\"Equipment\" ShortParent=\"EQ\"/>\n"
    "</D>\n";
constexpr const char* kTarget =
    "<D Name=\"T\" Domain=\"EQT\"><Class Name=\"Pump5\" DisplayName=\"Pump Five\" "
    "Superclass=\"Equipment\"><Simple Name=\"Flow5\" DisplayName=\"Flow Five\"/></Class>"
    "<Class Name=\"Sieve5\" DisplayName=\"Sieve Five\" Superclass=\"Equipment\"/></D>";
constexpr const char* kPumpRows =
    "Pump,Equipment,*,Pump5,Equipment,*,EQT,\nPump,Equipment,Flow,Pump5,Equipment,Flow5,EQT,\n";
constexpr const char* kSumpRow = "Sump,Equipment,*,No Mapping,,*,EQT,\n";

std::string Without(std::string text, const std::string& piece) {
  return text.erase(text.find(piece), piece.size());
}

struct Tree {
  zor_test::ScratchDirectory scratch;
  fs::path Write(const std::string& name, const std::string& source, const std::string& table) {
    const fs::path folder = scratch.path() / name;
    fs::create_directories(folder);
    zor_test::WriteFile(folder / "source.xml", source);
    zor_test::WriteFile(folder / "target.xml", kTarget);
    zor_test::WriteFile(folder / "table.csv", table);
    return folder;
  }
};

std::vector<std::string> Operands(const fs::path& folder) {
  return {(folder / "source.xml").string(), (folder / "target.xml").string(),
          (folder / "table.csv").string()};
}

zor_test::CliRun Check(std::vector<std::string> options, const fs::path& folder) {
  options.insert(options.begin(), "check");
  for (const std::string& operand : Operands(folder)) options.push_back(operand);
  return zor_test::RunCli(options);
}

std::vector<json> Records(const std::string& jsonl) {
  std::vector<json> records;
  std::istringstream in(jsonl);
  for (std::string line; std::getline(in, line);) records.push_back(json::parse(line));
  return records;
}

TEST(CheckBaseline, OnlyWhatAChangeAddsIsNewInEitherFormat) {
  Tree tree;
  const std::string table = std::string(kSumpRow) + kPumpRows;
  const fs::path before = tree.Write("before", kSource, table);
  struct Case {
    const char* what;
    std::string source;
    std::string table;
    int status;
    long new_findings, gone;
  } cases[] = {
      {"the same inputs", kSource, table, 0, 0, 0},
      {"rows reordered and moved apart", kSource, std::string(kPumpRows) + "\n" + kSumpRow, 0, 0,
       0},
      // A target the run cannot propose instead of no row: one new purple
      // finding in place of the red one.
      {"a bad row added", kSource, table + "Sieve,Equipment,*,NewSieve,Nowhere,*,EQT,\n", 1, 1, 1},
      // The red finding gone, a green one that passes, neither new nor
      // unchanged.
      {"a red class completed", kSource, table + "Sieve,Equipment,*,Sieve5,Equipment,*,EQT,\n", 0,
       0, 1},
      {"one of two alike classes removed",
       Without(
           kSource,
           "<Class Name=\"Drain\" ShortName=\"DR\" Parent=\"Equipment\" ShortParent=\"EQ\"/>\n"),
       table, 0, 0, 1},
  };
  for (const char* format : {"jsonl", "sarif"}) {
    const fs::path baseline = tree.scratch.path() / (std::string("baseline.") + format);
    zor_test::WriteFile(baseline, Check({"--format", format}, before).out);
    for (const Case& test : cases) {
      SCOPED_TRACE(std::string(format) + ": " + test.what);
      const fs::path after = tree.Write(test.what, test.source, test.table);
      zor_test::CliRun run = Check({"--format", "jsonl", "--baseline", baseline.string()}, after);
      EXPECT_EQ(run.status, test.status) << run.err;
      std::vector<json> records = Records(run.out);
      ASSERT_FALSE(records.empty()) << run.err;
      std::set<std::string> fingerprints;
      long marked_new = 0, findings = 0, judged = 0;
      for (const json& record : records) {
        if (!record.contains("fingerprint")) continue;
        ++findings;
        fingerprints.insert(record["fingerprint"].get<std::string>());
        marked_new += record.value("baseline", "") == "new";
        // Green passes: it is not held against the baseline.
        EXPECT_EQ(record.contains("baseline"), record["verdict"] != "green") << record;
        judged += record.contains("baseline");
      }
      EXPECT_EQ(fingerprints.size(), static_cast<size_t>(findings)) << "alike findings differ";
      const json& counts = records.back()["baseline"];
      EXPECT_EQ(counts["new"], test.new_findings);
      EXPECT_EQ(counts["new"], marked_new);
      EXPECT_EQ(counts["unchanged"], judged - test.new_findings);
      EXPECT_EQ(counts["gone"], test.gone);
    }
  }
  // The text lists what is new, names what is gone, and counts them at its
  // end; --verbose lists every finding, marking the new ones.
  const fs::path baseline = tree.scratch.path() / "baseline.jsonl";
  const fs::path changed = tree.scratch.path() / "a bad row added";
  zor_test::CliRun text = Check({"--baseline", baseline.string()}, changed);
  EXPECT_NE(text.out.find("\n\nnew findings (1):\n  [purple] " + (changed / "table.csv").string() +
                          ":4: Sieve (SV) not found in existing V5 XML! Provide new class in V5 "
                          "XML DDL. Parent (Nowhere) is not in mapping, or not in XML!\n\n"
                          "gone since the baseline (1):\n  [red] " +
                          (changed / "source.xml").string() +
                          ":7: Sieve (SV) not found in mapping table! Provide new class in "
                          "mapping table.\nbaseline " +
                          baseline.string() + ": 1 new, 3 unchanged, 1 gone\n"),
            std::string::npos)
      << text.out;
  EXPECT_EQ(text.out.find("red class findings"), std::string::npos) << text.out;
  zor_test::CliRun verbose = Check({"--verbose", "--baseline", baseline.string()}, changed);
  EXPECT_NE(verbose.out.find("Parent (Nowhere) is not in mapping, or not in XML! [new]\n"),
            std::string::npos)
      << verbose.out;
  EXPECT_NE(verbose.out.find("red class findings (2):"), std::string::npos) << verbose.out;
  // What --fail-on names still fails when it is new.
  EXPECT_EQ(Check({"--fail-on", "green", "--baseline", baseline.string()},
                  tree.scratch.path() / "a red class completed")
                .status,
            1);
}

// The fingerprint depends on the finding alone: a change to what goes into
// it orphans every baseline kept, so it shows here.
TEST(CheckBaseline, FingerprintsStayAsReleased) {
  Tree tree;
  const fs::path folder = tree.Write("tree", kSource, std::string(kSumpRow) + kPumpRows);
  std::vector<json> records = Records(Check({"--format", "jsonl"}, folder).out);
  ASSERT_GT(records.size(), 2u);
  EXPECT_EQ(records[0]["class"]["key"], "PMP");
  EXPECT_EQ(records[0]["fingerprint"], "2fc44687ac27fa90654228a2567c9117");
}

// The fingerprints of the examples' findings, as zorvez computed them before
// table hazards became findings (tests/data/fingerprints): a baseline kept
// since then matches every finding still there.
TEST(CheckBaseline, FingerprintsOfTheExamplesStayAsReleased) {
  const fs::path examples(ZOR_EXAMPLES_DIR);
  struct Example {
    const char* name;
    std::vector<std::string> arguments;
  } cases[] = {
      {"v4v5",
       {"V4_Exported_XML/plant_v4.xml", "V5_Exported_XML/plant_v5.xml",
        "MappingTable/plant_mapping.csv"}},
      {"v5v5",
       {"--v5", "V4_Exported_XML/plant_a.xml", "V5_Exported_XML/plant_b.xml",
        "MappingTable/plant_mapping.csv"}},
  };
  for (const Example& example : cases) {
    SCOPED_TRACE(example.name);
    std::vector<std::string> arguments{"check", "--format", "jsonl", "--fail-on", "none"};
    for (const std::string& argument : example.arguments) {
      arguments.push_back(argument.starts_with("--")
                              ? argument
                              : (examples / example.name / "Dictionary" / argument).string());
    }
    std::vector<std::string> found;
    for (const json& record : Records(zor_test::RunCli(arguments).out)) {
      if (record.contains("fingerprint") && record["record"] != "hazard") {
        found.push_back(record["fingerprint"]);
      }
    }
    std::vector<std::string> released;
    std::istringstream in(zor_test::ReadFile(fs::path(ZOR_TEST_DATA_DIR) / "fingerprints" /
                                             (std::string(example.name) + ".txt")));
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line[0] != '#') released.push_back(line.substr(0, 32));
    }
    ASSERT_FALSE(released.empty());
    EXPECT_EQ(found, released);
  }
}

TEST(CheckBaseline, AnUnreadableBaselineIsAUsageError) {
  Tree tree;
  const fs::path folder = tree.Write("tree", kSource, kPumpRows);
  const std::string jsonl = Check({"--format", "jsonl"}, folder).out;
  const std::string sarif = Check({"--format", "sarif"}, folder).out;
  const std::string first_line = jsonl.substr(0, jsonl.find('\n') + 1);
  json old_record = json::parse(first_line);
  old_record.erase("fingerprint");
  std::string other_tool = sarif;
  other_tool.replace(other_tool.find("\"name\":\"zorvez\""), 15, "\"name\":\"lintr\"");
  const fs::path large = tree.scratch.path() / "large.jsonl";
  zor_test::WriteFile(large, "");
  fs::resize_file(large, (std::uintmax_t{1} << 30) + 1);
  const std::string cut_sarif = sarif.substr(0, sarif.size() / 2);
  const std::string cut_line =
      std::to_string(1 + std::count(cut_sarif.begin(), cut_sarif.end(), '\n'));
  struct Case {
    std::string name, content;
    std::string in_err;  // after "zorvez: FILE"
  } cases[] = {
      {"empty.jsonl", "", ": not a baseline: empty"},
      {"text.txt", "all is well\n", ":1: not a baseline: not JSON here"},
      {"old.jsonl", old_record.dump() + "\n" + jsonl.substr(first_line.size()),
       ":1: not a baseline: a class record without a fingerprint"},
      {"cut.jsonl", jsonl.substr(0, jsonl.rfind("{\"record\":\"summary\"")),
       ": not a baseline: no summary record"},
      {"cut.sarif", cut_sarif, ":" + cut_line + ": not a baseline: not JSON here"},
      {"other.sarif", other_tool, ": not a baseline: a SARIF log of another tool"},
      {"deep.json", std::string(100, '[') + std::string(100, ']'), ": not a baseline: nested"},
  };
  std::vector<std::pair<std::string, std::string>> expected;
  for (const Case& test : cases) {
    const fs::path path = tree.scratch.path() / test.name;
    zor_test::WriteFile(path, test.content);
    expected.push_back({path.string(), path.string() + test.in_err});
  }
  expected.push_back({large.string(), large.string() + ": larger than 1024 MiB"});
  expected.push_back(
      {(folder / "absent.sarif").string(), (folder / "absent.sarif").string() + ": no such file"});
  expected.push_back({folder.string(), folder.string() + ": is a directory, not a file"});
  for (const auto& [path, message] : expected) {
    zor_test::CliRun run = Check({"--baseline", path}, folder);
    EXPECT_EQ(run.status, 2) << path;
    EXPECT_EQ(run.out, "") << path;
    EXPECT_NE(run.err.find("zorvez: " + message), std::string::npos) << run.err;
  }
}

}  // namespace
