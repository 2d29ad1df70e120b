// zorvez lint and the table warnings of zorvez check, on the example table
// as real CSV writers save it (tests/data/writers): each hazard is reported,
// --fix gives back a table with the findings of the original, and check
// warns or stops.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "cli_harness.h"
#ifdef ZOR_WITH_TREE_GENERATOR
#include "bench/tree_generator.h"
#endif

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const fs::path kExample = fs::path(ZOR_EXAMPLES_DIR) / "v4v5/Dictionary";
const std::string kSource = (kExample / "V4_Exported_XML/plant_v4.xml").string();
const std::string kTarget = (kExample / "V5_Exported_XML/plant_v5.xml").string();
const std::string kTable = (kExample / "MappingTable/plant_mapping.csv").string();

// The finding records of a check, without the table rows' text (written
// rows may differ in their padding) and without hazard records.
std::vector<json> Findings(const std::string& table) {
  zor_test::CliRun run = zor_test::RunCli(
      {"check", "--format", "jsonl", "--fail-on", "none", kSource, kTarget, table});
  EXPECT_EQ(run.status, 0) << run.err;
  std::vector<json> records;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    json record = json::parse(line);
    if (record["record"] == "hazard") continue;
    if (record.contains("row")) record["row"].erase("text");
    records.push_back(record);
  }
  return records;
}

struct WriterCase {
  const char* file;
  const char* code;  // the hazard lint reports
  int check_status;  // check --fail-on none
  bool repairable;
};

TEST(LintCommand, TablesAsWritersSaveThemAreReportedAndRepaired) {
  const std::vector<WriterCase> cases = {
      {"calc_default.csv", "domain_without_comma", 0, true},
      {"bom.csv", "bom", 0, true},
      {"calc_utf16le_bom.csv", "utf16", 2, true},
      {"calc_semicolon.csv", "wrong_separator", 0, false},
      {"python_csv_writer.csv", "carriage_return", 0, true},
      {"pandas_to_csv.csv", "empty_domain", 0, true},
  };
  const std::vector<json> original = Findings(kTable);
  for (const WriterCase& writer : cases) {
    SCOPED_TRACE(writer.file);
    zor_test::ScratchDirectory scratch;
    const std::string table = (scratch / "table.csv").string();
    const std::string bytes =
        zor_test::ReadFile(fs::path(ZOR_TEST_DATA_DIR) / "writers" / writer.file);
    zor_test::WriteFile(table, bytes);

    zor_test::CliRun lint = zor_test::RunCli({"lint", table});
    if (writer.code) {
      EXPECT_EQ(lint.status, 1);
      EXPECT_NE(lint.out.find(std::string("[") + writer.code + "]"), std::string::npos) << lint.out;
    } else {
      EXPECT_EQ(lint.status, 0) << lint.out;
    }
    zor_test::CliRun check =
        zor_test::RunCli({"check", "--fail-on", "none", kSource, kTarget, table});
    EXPECT_EQ(check.status, writer.check_status) << check.err;
    if (writer.code && writer.check_status == 2) {
      EXPECT_NE(check.err.find("UTF-16 LE"), std::string::npos) << check.err;
    }

    zor_test::CliRun dry = zor_test::RunCli({"lint", "--fix", "--dry-run", table});
    EXPECT_EQ(zor_test::ReadFile(table), bytes);
    EXPECT_FALSE(fs::exists(table + ".bak.1"));
    zor_test::CliRun fix = zor_test::RunCli({"lint", "--fix", table});
    if (!writer.repairable) {
      EXPECT_EQ(fix.status, 1);
      continue;
    }
    EXPECT_EQ(fix.status, 0) << fix.out << fix.err;
    if (writer.code) {
      EXPECT_EQ(zor_test::ReadFile(table + ".bak.1"), bytes);
    }
    EXPECT_EQ(Findings(table), original);
  }
}

// The hazards that change what the run reads are findings of check, listed
// first, as lint writes them.
TEST(LintCommand, CheckReportsHazardsThatChangeWhatTheRunReads) {
  zor_test::ScratchDirectory scratch;
  const std::string table = (scratch / "table.csv").string();
  zor_test::WriteFile(table,
                      zor_test::ReadFile(fs::path(ZOR_TEST_DATA_DIR) / "writers/calc_default.csv"));
  zor_test::CliRun text = zor_test::RunCli({"check", "--fail-on", "none", kSource, kTarget, table});
  EXPECT_NE(text.out.find("\n10 hazards (rows read otherwise"), std::string::npos) << text.out;
  EXPECT_NE(
      text.out.find("\nhazards (10):\n  " + table + ":1:54: warning: the domain ends the line"),
      std::string::npos)
      << text.out;
  EXPECT_EQ(text.err, "");
  zor_test::CliRun lines = zor_test::RunCli(
      {"check", "--format", "jsonl", "--fail-on", "hazard", kSource, kTarget, table});
  EXPECT_EQ(lines.status, 1);
  json first = json::parse(lines.out.substr(0, lines.out.find('\n')));
  EXPECT_EQ(first["record"], "hazard");
  EXPECT_EQ(first["code"], "domain_without_comma");
  EXPECT_EQ(first["fix"], "add the comma that ends the row");
  EXPECT_EQ(zor_test::RunCli({"check", "--fail-on", "hazard", kSource, kTarget, kTable}).status, 0);
  zor_test::WriteFile(table, std::string("\x01\x02\x03\x04\x00\x00\x7f", 7));
  zor_test::CliRun binary = zor_test::RunCli({"check", kSource, kTarget, table});
  EXPECT_EQ(binary.status, 2);
  EXPECT_NE(binary.err.find("binary data"), std::string::npos);
}

TEST(LintCommand, NamesAreHeldAgainstTheDictionaries) {
  zor_test::ScratchDirectory scratch;
  const std::string table = (scratch / "table.csv").string();
  zor_test::WriteFile(table,
                      "pump,Equipment,*,centrifugalPump,RotatingEquipment,*,EQT,\n"
                      "pump,Equipment,Flow rate,CentrifugalPump,RotatingEquipment,Flowrate,EQT,\n"
                      "Check Valve,Valve,*,CheckValv,Valve,*,EQT,\n"
                      "Sump,Equipment,*,SumpPit,Equipment,*,EQT,\n"
                      "Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n"
                      "Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,\n"
                      "Pressure Gauge,Instrument,*,ins,Instrument,*,INS,\n");
  zor_test::CliRun run = zor_test::RunCli(
      {"lint", "--format", "jsonl", "--source", kSource, "--target", kTarget, table});
  EXPECT_EQ(run.status, 1);
  std::vector<std::string> seen;
  std::istringstream lines(run.out);
  for (std::string line; std::getline(lines, line);) {
    json record = json::parse(line);
    seen.push_back(std::to_string(record["line"].get<long>()) + " " +
                   record["code"].get<std::string>() + " " + record["message"].get<std::string>());
  }
  const std::vector<std::string> expected = {
      "1 unknown_source_class the source dictionary has no class 'pump'; did you mean 'Pump'?",
      "1 unknown_target_class the target dictionary has no class 'centrifugalPump'; did you mean "
      "'CentrifugalPump'?",
      "2 unknown_target_attribute the target class 'CentrifugalPump' has no attribute "
      "'Flowrate'; did you mean 'FlowRate'?",
      "3 unknown_target_class the target dictionary has no class 'CheckValv': the run proposes "
      "it as a new class",
      "3 ddl_name_differs the proposed DDL names the new class 'CheckValve' after the source "
      "label, not 'CheckValv', so once it is loaded the next run still misses 'CheckValv': write "
      "'CheckValve' as the target class, or rename the class in the DDL to 'CheckValv' before "
      "loading it",
      "4 unknown_target_class the target dictionary has no class 'SumpPit': the run proposes it "
      "as a new class",
      "4 ddl_name_differs the proposed DDL names the new class 'Sump' after the source label, not "
      "'SumpPit', so once it is loaded the next run still misses 'SumpPit': write 'Sump' as the "
      "target class, or rename the class in the DDL to 'SumpPit' before loading it",
      "6 dropped_row the row maps 'Mesh Size' of 'Strainer' to 'MeshSize' of 'YStrainer', but the "
      "run looks for it only in 'GateValve', the first target class whose parent is 'Valve', "
      "which lacks it: the run drops the row and reports nothing; a row naming the class row's "
      "target 'PipeStrainer' (or its parent 'PipingComponent') is compared",
      "7 domain_code_as_class the target class 'ins' is a domain code, which the run reads as "
      "naming no class: it reports 'Pressure Gauge' as badly mapped; write the target class's "
      "key here and the domain in column 7",
  };
  EXPECT_EQ(seen, expected);
}

TEST(LintCommand, AttributesWithNoRowAreGreyFindings) {
  zor_test::ScratchDirectory scratch;
  const std::string table = (scratch / "table.csv").string();
  std::string rows = zor_test::ReadFile(kTable);
  const std::string flow =
      "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,EQT,\n";
  rows.erase(rows.find(flow), flow.size());
  zor_test::WriteFile(table, rows);
  zor_test::CliRun run = zor_test::RunCli({"check", "--format", "jsonl", kSource, kTarget, table});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("{\"record\":\"attribute\",\"verdict\":\"grey\",\"finding\":\"no_row\","
                         "\"class\":{\"label\":\"Pump\",\"key\":\"PMP\",\"parent\":\"Equipment\"},"
                         "\"attribute\":{\"label\":\"Flow Rate\",\"key\":\"FLW\"},\"target\":null,"
                         "\"message\":\"Flow Rate (FLW) has no row in mapping table under Pump: "
                         "not compared.\",\"row\":{\"line\":1,"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("\"no_row\":1,\"dropped_row\":0}"), std::string::npos);
  zor_test::CliRun text = zor_test::RunCli({"check", kSource, kTarget, table});
  EXPECT_NE(text.out.find("3 green, 1 grey; 1 child finding\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("grey attribute findings of classes not listed (1):\n  Pump (PMP), green "
                          "class: " +
                          table + ":1: Flow Rate (FLW) has no row in mapping table under Pump"),
            std::string::npos)
      << text.out;
  EXPECT_EQ(zor_test::RunCli({"check", "--fail-on", "green", kSource, kTarget, kTable}).status, 1);
  EXPECT_EQ(zor_test::RunCli({"check", "--fail-on", "grey", kSource, kTarget, kTable}).status, 0);
}

}  // namespace

#ifdef ZOR_WITH_TREE_GENERATOR
namespace {

// The lines of the records of `code` (a finding or a hazard) in JSON Lines.
std::set<long> LinesOf(const std::string& jsonl, const std::string& code) {
  std::set<long> lines;
  std::istringstream in(jsonl);
  for (std::string line; std::getline(in, line);) {
    json record = json::parse(line);
    if (record.value("finding", record.value("code", "")) != code) continue;
    lines.insert(record.contains("row") ? record["row"]["line"].get<long>()
                                        : record["line"].get<long>());
  }
  return lines;
}

// The hazards of check's records, and lint's of the codes check reports:
// "code FILE:LINE:COLUMN", FILE "table" or "source".
std::multiset<std::string> HazardsOf(const std::string& jsonl, const std::string& source) {
  static const std::set<std::string> kCheckCodes = {"bom",
                                                    "domain_without_comma",
                                                    "empty_domain",
                                                    "carriage_return",
                                                    "attribute_without_comma",
                                                    "empty_column",
                                                    "duplicate_class_row",
                                                    "unreachable_attribute_row",
                                                    "orphan_attribute_row",
                                                    "markup_name"};
  std::multiset<std::string> hazards;
  std::istringstream in(jsonl);
  for (std::string line; std::getline(in, line);) {
    json record = json::parse(line);
    if (record["record"] != "hazard" || !kCheckCodes.contains(record["code"])) continue;
    hazards.insert(record["code"].get<std::string>() + " " +
                   (record.value("file", "") == source ? "source" : "table") + ":" +
                   std::to_string(record["line"].get<long>()) + ":" +
                   std::to_string(record["column"].get<long>()));
  }
  return hazards;
}

// lint names exactly the rows check finds dropped, and the hazards check
// reports are exactly lint's of their codes, on generated trees of either
// run and shape (hostile tables hold CR LF, rows out of place, "&amp;"
// forms, names with markup...): both find them in one place.
TEST(LintCommand, NamesTheRowsCheckFindsDroppedAndTheHazardsCheckReports) {
  size_t dropped = 0;
  std::set<std::string> codes;
  for (zor_bench::TreeMode mode : {zor_bench::TreeMode::kV4ToV5, zor_bench::TreeMode::kV5ToV5}) {
    for (zor_bench::TreeShape shape :
         {zor_bench::TreeShape::kRealistic, zor_bench::TreeShape::kHostile}) {
      for (std::uint64_t seed : {3u, 4u}) {
        zor_bench::TreeOptions options;
        options.classes = 150;
        options.attributes = 6;
        options.mode = mode;
        options.shape = shape;
        options.seed = seed;
        zor_test::ScratchDirectory scratch;
        ASSERT_EQ(zor_bench::WriteTree(zor_bench::GenerateTree(options), scratch.path()), "");
        const fs::path tree = scratch / "Dictionary";
        const std::string source = (tree / "V4_Exported_XML" / zor_bench::kSourceXmlName).string();
        const std::string target = (tree / "V5_Exported_XML" / zor_bench::kTargetXmlName).string();
        const std::string table = (tree / "MappingTable" / zor_bench::kMappingCsvName).string();
        std::vector<std::string> v5;
        if (mode == zor_bench::TreeMode::kV5ToV5) v5.push_back("--v5");
        std::vector<std::string> check{"check", "--format", "jsonl", "--fail-on", "none"};
        std::vector<std::string> lint{"lint", "--format", "jsonl", "--source",
                                      source, "--target", target};
        check.insert(check.end(), v5.begin(), v5.end());
        lint.insert(lint.end(), v5.begin(), v5.end());
        check.insert(check.end(), {source, target, table});
        lint.push_back(table);
        const std::string checked = zor_test::RunCli(check).out;
        const std::string linted = zor_test::RunCli(lint).out;
        std::set<long> found = LinesOf(checked, "dropped_row");
        SCOPED_TRACE(std::string(zor_bench::ModeName(mode)) + " " + zor_bench::ShapeName(shape) +
                     " seed " + std::to_string(seed));
        EXPECT_EQ(LinesOf(linted, "dropped_row"), found);
        dropped += found.size();
        const std::multiset<std::string> hazards = HazardsOf(checked, source);
        EXPECT_EQ(HazardsOf(linted, source), hazards);
        for (const std::string& hazard : hazards) codes.insert(hazard.substr(0, hazard.find(' ')));
      }
    }
  }
  EXPECT_GT(dropped, 0u) << "the trees never had a row the run drops";
  EXPECT_TRUE(codes.contains("markup_name") && codes.contains("unreachable_attribute_row"))
      << "the trees show too few kinds of hazard";
}

}  // namespace
#endif  // ZOR_WITH_TREE_GENERATOR
