// zorvez check as the CI gate of README's recipe, on the example tree as a
// team changes it commit by commit: it adopts the gate (the baseline
// written, the next run passes), a commit adds dead rows (exactly those
// hazards are new, on their lines), another moves whole blocks (nothing
// new), a fix (the findings gone, named, and absent results where they
// were), and the baseline rewritten in the run that checks (then nothing
// new and nothing gone).
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "cli_harness.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

constexpr const char* kDuplicatePump =
    "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n";
constexpr const char* kUnreachableRow =
    "Pump,Equipment,Motor Power,CentrifugalPump,RotatingEquipment,MotorPower,EQT,\n";
constexpr const char* kStrainerRows =
    "Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n"
    "Strainer,Pipe Fitting,Mesh Size,PipeStrainer,PipingComponent,MeshSize,\n"
    "Strainer,Pipe Fitting,Pipe Size,PipeStrainer,PipingComponent,NominalPipeSize,\n";

// The example tree and its table, rewritten commit by commit.
class Gate : public ::testing::Test {
 protected:
  void SetUp() override {
    zor_test::CopyExample("v4v5", scratch_ / "tree");
    table_ = ReadTable();
  }

  fs::path Dictionary() const { return scratch_ / "tree" / "Dictionary"; }
  std::string Table() const { return (Dictionary() / "MappingTable/plant_mapping.csv").string(); }
  std::string Source() const { return (Dictionary() / "V4_Exported_XML/plant_v4.xml").string(); }
  std::string Baseline() const { return (scratch_ / "zorvez-baseline.jsonl").string(); }
  std::string ReadTable() const { return zor_test::ReadFile(Table()); }
  void Commit(const std::string& table) { zor_test::WriteFile(Table(), table); }

  zor_test::CliRun Check(std::vector<std::string> options) const {
    options.insert(options.begin(), "check");
    for (const char* file : {"V4_Exported_XML/plant_v4.xml", "V5_Exported_XML/plant_v5.xml",
                             "MappingTable/plant_mapping.csv"}) {
      options.push_back((Dictionary() / file).string());
    }
    return zor_test::RunCli(options);
  }
  // README's CI step: the SARIF log held against the baseline.
  json Log(int status) const {
    zor_test::CliRun run = Check({"--format", "sarif", "--baseline", Baseline()});
    EXPECT_EQ(run.status, status) << run.err;
    return json::parse(run.out)["runs"][0];
  }

  zor_test::ScratchDirectory scratch_;
  std::string table_;  // as the example has it
};

// "RULE STATE FILE:LINE" of each result of a state, FILE "table" or "source".
std::multiset<std::string> Results(const json& run, const std::string& state) {
  std::multiset<std::string> found;
  for (const json& result : run["results"]) {
    if (result.value("baselineState", "") != state) continue;
    const json& place = result["locations"][0]["physicalLocation"];
    const std::string uri = place["artifactLocation"]["uri"];
    found.insert(result["ruleId"].get<std::string>() + " " + state + " " +
                 (uri.ends_with(".csv") ? "table:" : "source:") +
                 std::to_string(place["region"].value("startLine", 0)));
  }
  return found;
}

TEST_F(Gate, AdoptNewMovedFixedRewrite) {
  // Adopt: the baseline is written in a run that checks (and fails on the
  // 28 findings tolerated), and the next run passes with each of them
  // suppressed, none passing written.
  zor_test::CliRun adopt = Check({"--write-baseline", Baseline()});
  EXPECT_EQ(adopt.status, 1);
  const std::string sarif_baseline = (scratch_ / "zorvez-baseline.sarif").string();
  zor_test::WriteFile(sarif_baseline, Check({"--format", "sarif"}).out);
  json run = Log(0);
  EXPECT_EQ(run["properties"]["baseline"], json::parse(R"({"new":0,"unchanged":20,"gone":0})"));
  ASSERT_EQ(run["results"].size(), 20u);
  for (const json& result : run["results"]) {
    EXPECT_EQ(result["suppressions"][0]["kind"], "external");
    EXPECT_EQ(result["suppressions"][0]["justification"], "held by the baseline " + Baseline());
    EXPECT_NE(result["properties"]["verdict"], "green");
  }

  // New: a second Pump class row and an attribute row below it, which no
  // lookup reaches, fail with exactly those two hazards new, on their
  // lines; the text lists them alone.
  Commit(table_ + kDuplicatePump + kUnreachableRow);
  run = Log(1);
  EXPECT_EQ(Results(run, "new"),
            (std::multiset<std::string>{"ZV407 new table:21", "ZV408 new table:22"}));
  EXPECT_EQ(run["properties"]["baseline"], json::parse(R"({"new":2,"unchanged":20,"gone":0})"));
  zor_test::CliRun text = Check({"--baseline", Baseline()});
  EXPECT_NE(text.out.find("\nnew findings (2):\n  " + Table() +
                          ":21:1: warning: a second class "
                          "row for 'Pump' with parent 'Equipment': the first, on line 1, wins and "
                          "this one is never read [duplicate_class_row]\n  " +
                          Table() + ":22:1: warning: an attribute row of 'Pump' outside"),
            std::string::npos)
      << text.out;

  // Moved: whole blocks in another order give nothing new and nothing gone.
  const std::string pump = table_.substr(0, table_.find("Valve,"));
  Commit(table_.substr(pump.size()) + pump);
  run = Log(0);
  EXPECT_EQ(run["properties"]["baseline"], json::parse(R"({"new":0,"unchanged":20,"gone":0})"));

  // Fixed: Strainer mapped, its three red findings are gone, named in the
  // text and absent in the log where they were: the class's element and
  // its attributes' own.
  Commit(table_ + kStrainerRows);
  run = Log(0);
  EXPECT_EQ(Results(run, "absent"),
            (std::multiset<std::string>{"ZV101 absent source:36", "ZV201 absent source:37",
                                        "ZV201 absent source:38"}));
  EXPECT_EQ(Results(run, "new"), std::multiset<std::string>{});
  // A SARIF log kept as the baseline says the same of what is gone.
  zor_test::CliRun held = Check({"--format", "sarif", "--baseline", sarif_baseline});
  EXPECT_EQ(Results(json::parse(held.out)["runs"][0], "absent"), Results(run, "absent"));
  text = Check({"--baseline", Baseline()});
  EXPECT_NE(text.out.find("\ngone since the baseline (3):\n  [red] " + Source() +
                          ":36: Strainer (STR) not found in mapping table! Provide new class in "
                          "mapping table.\n  [red] " +
                          Source() + ":37: Mesh Size (MSH) is an attribute under Strainer.\n"),
            std::string::npos)
      << text.out;

  // Rewrite, in the run that checks: it still says what is new and gone;
  // the next run has nothing new and nothing gone, and the hazards of the
  // baseline stay what they are wherever their block moves.
  Commit(table_ + kStrainerRows + kDuplicatePump + kUnreachableRow);
  zor_test::CliRun rewrite =
      Check({"--format", "sarif", "--baseline", Baseline(), "--write-baseline", Baseline()});
  EXPECT_EQ(rewrite.status, 1);
  run = json::parse(rewrite.out)["runs"][0];
  EXPECT_EQ(run["properties"]["baseline"], json::parse(R"({"new":2,"unchanged":17,"gone":3})"));
  EXPECT_EQ(Results(run, "absent").size(), 3u);
  run = Log(0);
  EXPECT_EQ(run["properties"]["baseline"], json::parse(R"({"new":0,"unchanged":19,"gone":0})"));
  Commit(kStrainerRows + table_ + kDuplicatePump + kUnreachableRow);
  run = Log(0);
  EXPECT_EQ(run["properties"]["baseline"], json::parse(R"({"new":0,"unchanged":19,"gone":0})"));
  EXPECT_EQ(Results(run, "unchanged").count("ZV407 unchanged table:24"), 1u);
}

// A commit that maps Sump onto the target labelled Strainer, the exact label
// of the Strainer no row maps, fails with that hazard alone, on the row's
// line; it stays the same hazard wherever the block moves, and goes once
// Strainer has its row.
TEST_F(Gate, ARowOntoTheExactLabelOfAnUnmappedClass) {
  ASSERT_EQ(Check({"--write-baseline", Baseline()}).status, 1);
  const std::string sump = "Sump,Equipment,*,No Mapping,,*,EQT,\n";
  const std::string burying_row = "Sump,Equipment,*,PipeStrainer,PipingComponent,*,EQT,\n";
  ASSERT_NE(table_.find(sump), std::string::npos);
  const std::string taken = zor_test::ReplaceAll(table_, sump, burying_row);
  Commit(taken);
  json run = Log(1);
  const size_t line =
      static_cast<size_t>(std::count(
          taken.begin(), taken.begin() + static_cast<long>(taken.find(burying_row)), '\n')) +
      1;
  // Appended, not "..." + std::to_string(...): one compiler warns of that wrongly.
  const std::string at = std::to_string(line);
  EXPECT_EQ(Results(run, "new"),
            std::multiset<std::string>{std::string("ZV411 new table:").append(at)});
  zor_test::CliRun text = Check({"--baseline", Baseline()});
  const std::string said =
      std::string(":")
          .append(at)
          .append(":1: warning: row ")
          .append(at)
          .append(
              " maps Sump onto Strainer, the exact label of Strainer, which no row maps "
              "[exact_label_taken]");
  EXPECT_NE(text.out.find(said), std::string::npos) << text.out;
  ASSERT_EQ(Check({"--write-baseline", Baseline()}).status, 1);
  Commit(burying_row + zor_test::ReplaceAll(taken, burying_row, ""));
  EXPECT_EQ(Log(0)["properties"]["baseline"]["new"], 0);
  Commit(taken + kStrainerRows);
  EXPECT_EQ(Results(Log(0), "absent").count(std::string("ZV411 absent table:").append(at)), 1u);
}

// A baseline that cannot be written leaves the file as it was and stops
// the check with status 2; one written from a run that stops is not
// written at all.
TEST_F(Gate, ABaselineIsWrittenWholeOrNotAtAll) {
  const std::string kept = "{\"record\":\"summary\"}\n";
  zor_test::WriteFile(Baseline(), kept);
  const std::string missing_folder = (scratch_ / "no such folder" / "baseline.jsonl").string();
  zor_test::CliRun run = Check({"--write-baseline", missing_folder});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("zorvez: " + missing_folder), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("the baseline is left as it was"), std::string::npos) << run.err;
  zor_test::WriteFile(Source(), "<D><Class");
  run = Check({"--write-baseline", Baseline()});
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(zor_test::ReadFile(Baseline()), kept);
  EXPECT_EQ(std::distance(fs::directory_iterator(scratch_.path()), fs::directory_iterator()), 2)
      << "a temporary file left behind";
}

}  // namespace
