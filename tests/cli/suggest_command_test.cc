// zorvez suggest on the command line: what it refuses and how it says so,
// how --top and --min-score bound what it lists and accepts, and names that
// no table row can hold, in a target dictionary saved as windows-1252.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "cli_harness.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using Arguments = std::vector<std::string>;

Arguments ExampleInputs() {
  const fs::path d = fs::path(ZOR_EXAMPLES_DIR) / "v4v5/Dictionary";
  return {(d / "V4_Exported_XML/plant_v4.xml").string(),
          (d / "V5_Exported_XML/plant_v5.xml").string(),
          (d / "MappingTable/plant_mapping.csv").string()};
}

// tests/data/suggest-hostile (its README says what it holds) copied into
// `folder`, as merge rewrites its table.
Arguments HostileTree(const fs::path& folder) {
  const fs::path data = fs::path(ZOR_TEST_DATA_DIR) / "suggest-hostile";
  fs::create_directories(folder);
  for (const char* file : {"s.xml", "t.xml", "m.csv"}) fs::copy_file(data / file, folder / file);
  return {(folder / "s.xml").string(), (folder / "t.xml").string(), (folder / "m.csv").string()};
}

zor_test::CliRun Suggest(Arguments options, const Arguments& inputs) {
  options.insert(options.begin(), "suggest");
  options.insert(options.end(), inputs.begin(), inputs.end());
  return zor_test::RunCli(options);
}

// Every line parsed; one that is not valid UTF-8 JSON fails the test.
std::vector<json> Records(const std::string& jsonl) {
  std::vector<json> records;
  std::istringstream lines(jsonl);
  for (std::string line; std::getline(lines, line);) {
    try {
      records.push_back(json::parse(line));
    } catch (const json::exception& error) {
      ADD_FAILURE() << error.what() << "\n  in " << line;
    }
  }
  return records;
}

const json& Summary(const std::vector<json>& records) {
  static const json kNone = json::object();
  return !records.empty() && records.back()["record"] == "summary" ? records.back() : kNone;
}

bool EveryItemAccepted(const json& summary) {
  return summary["classes"]["items"] == summary["classes"]["accepted"] &&
         summary["attributes"]["items"] == summary["attributes"]["accepted"];
}

TEST(SuggestCommand, UsageErrorsAndUnusableInputsExitTwoAndSayWhy) {
  zor_test::ScratchDirectory scratch;
  const Arguments inputs = ExampleInputs();
  const std::string missing = (scratch / "nowhere.xml").string();
  const std::string folder = scratch.path().string();
  const struct {
    Arguments options;
    Arguments operands;
    std::string said;
  } cases[] = {
      {{"--bogus"}, inputs, "zorvez: suggest: unknown option '--bogus'"},
      {{}, {inputs[0], inputs[1]}, "zorvez: suggest: missing operands"},
      {{"--top", "0"}, inputs, "zorvez: suggest: --top: '0' is not a number"},
      {{"--top", "abc"}, inputs, "zorvez: suggest: --top: 'abc' is not a number"},
      {{"--top", "2.5"}, inputs, "zorvez: suggest: --top: '2.5' is not a whole number"},
      {{"--min-score", "1.5"}, inputs, "zorvez: suggest: --min-score: '1.5' is not a number"},
      {{"--min-score", "x"}, inputs, "zorvez: suggest: --min-score: 'x' is not a number"},
      {{"--format", "bogus"}, inputs, "zorvez: suggest: --format: 'bogus' is not a format"},
      {{}, {missing, inputs[1], inputs[2]}, "zorvez: " + missing + ": no such file"},
      {{}, {inputs[0], folder, inputs[2]}, "zorvez: " + folder + ": is a directory, not a file"},
      {{}, {inputs[0], inputs[1], missing}, "zorvez: " + missing + ": no such file"},
      {{"-o", folder + "/no/such/out.csv"}, inputs, "zorvez: " + folder + "/no/such/out.csv: "},
  };
  for (const auto& c : cases) {
    Arguments options = c.options;
    options.insert(options.end(), c.operands.begin(), c.operands.end());
    const zor_test::CliRun run = Suggest(options, {});
    SCOPED_TRACE(c.said);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(c.said), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
  }
  const zor_test::CliRun help = Suggest({"--help"}, {});
  EXPECT_EQ(help.status, 0);
  EXPECT_TRUE(help.out.starts_with("usage: zorvez suggest")) << help.out;
  EXPECT_NE(help.out.find("0.7 for classes and 0.55 for attributes"), std::string::npos)
      << "the default scores";
  EXPECT_NE(help.out.find("precision of"), std::string::npos) << "and what they give";
  EXPECT_EQ(help.err, "");
}

// --top cuts each ranked list and changes nothing else; a higher
// --min-score accepts fewer classes, each reaching it, and the exit status
// says whether every item was accepted.
TEST(SuggestCommand, TopAndMinScoreBoundWhatIsListedAndAccepted) {
  zor_test::ScratchDirectory scratch;
  std::vector<int> statuses;
  for (const Arguments& inputs : {ExampleInputs(), HostileTree(scratch / "hostile")}) {
    SCOPED_TRACE(inputs[0]);
    const zor_test::CliRun full = Suggest({"--format", "jsonl"}, inputs);
    const std::vector<json> reference = Records(full.out);
    ASSERT_GT(reference.size(), 1u) << full.err;
    for (int top : {1, 2, 3}) {
      const zor_test::CliRun run =
          Suggest({"--format", "jsonl", "--top", std::to_string(top)}, inputs);
      const std::vector<json> records = Records(run.out);
      ASSERT_EQ(records.size(), reference.size());
      EXPECT_EQ(run.status, full.status);
      for (size_t i = 0; i + 1 < records.size(); ++i) {
        const json& listed = reference[i]["candidates"];
        json cut(json::value_t::array);
        for (size_t n = 0; n < listed.size() && n < static_cast<size_t>(top); ++n)
          cut.push_back(listed[n]);
        EXPECT_EQ(records[i]["candidates"], cut) << "--top " << top << ": " << records[i];
        EXPECT_EQ(records[i]["accepted"], reference[i]["accepted"]) << "--top " << top;
      }
    }
    long accepted_before = -1;
    for (const char* score : {"0", "0.5", "0.7", "0.9", "1"}) {
      const zor_test::CliRun run = Suggest({"--format", "jsonl", "--min-score", score}, inputs);
      const std::vector<json> records = Records(run.out);
      const json& summary = Summary(records);
      ASSERT_TRUE(summary.contains("classes")) << run.out << run.err;
      EXPECT_EQ(run.status, EveryItemAccepted(summary) ? 0 : 1) << "--min-score " << score;
      statuses.push_back(run.status);
      const long accepted = summary["classes"]["accepted"].get<long>();
      if (accepted_before >= 0) {
        EXPECT_LE(accepted, accepted_before) << "--min-score " << score;
      }
      accepted_before = accepted;
      for (const json& record : records) {
        if (record.value("for", "") != "class" || record["accepted"].is_null()) continue;
        // Scores are written to three places.
        EXPECT_GE(record["candidates"][0]["score"].get<double>() + 5e-4, std::stod(score))
            << record;
      }
    }
  }
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), 0), statuses.end());
  EXPECT_NE(std::find(statuses.begin(), statuses.end(), 1), statuses.end());
}

// A score given holds for attributes too: on the example, Strainer's Pipe
// Size (0.75) is accepted by default but not with --min-score 1.
TEST(SuggestCommand, AttributesHonourTheMinimumScore) {
  const zor_test::CliRun run = Suggest({"--format", "jsonl", "--min-score", "1"}, ExampleInputs());
  for (const json& record : Records(run.out)) {
    if (record.value("for", "") != "attribute" || record["accepted"].is_null()) continue;
    EXPECT_GE(record["candidates"][0]["score"].get<double>(), 1.0) << record;
  }
}

// In text and JSON Lines a candidate is named as it is, comma or not; the
// rows leave out every one no row can name, say so, spell "&" as the table
// does, and merge as they are.
TEST(SuggestCommand, NamesNoRowCanHoldAreListedButNeverWrittenAsRows) {
  zor_test::ScratchDirectory scratch;
  const Arguments inputs = HostileTree(scratch / "tree");

  const zor_test::CliRun text = Suggest({}, inputs);
  EXPECT_NE(text.out.find("class Strainer (not in the mapping table): suggests Pipe,Strainer\n"),
            std::string::npos)
      << text.out;

  const zor_test::CliRun lines = Suggest({"--format", "jsonl"}, inputs);
  bool said_clapet = false;
  for (const json& record : Records(lines.out)) {
    if (record.value("for", "") != "class") continue;
    const std::string source = record["class"]["key"];
    if (source == "STR") {
      EXPECT_EQ(record["accepted"], "Pipe,Strainer") << record;
    }
    if (source == "GV") {
      EXPECT_EQ(record["class"]["label"], "Valve, Gate") << record;
    }
    if (source == "CL") {
      // The row's windows-1252 byte comes out as U+FFFD; the target's,
      // read in its code page, as the letters they are.
      said_clapet = true;
      EXPECT_EQ(record["reason"], "target_missing");
      EXPECT_EQ(record["row"]["text"],
                "Clapet anti-retour,Equipment,*,Clapet,Stra\uFFFDenablauf,*,EQT,");
      EXPECT_EQ(record["candidates"][0]["label"], "Clapet \u201Canti-retour\u201D") << record;
      EXPECT_EQ(record["candidates"][0]["parent"], "Stra\u00DFenablauf") << record;
    }
  }
  EXPECT_TRUE(said_clapet) << lines.out;

  const fs::path done = scratch / "done.csv";
  const zor_test::CliRun csv = Suggest({"--format", "csv", "-o", done.string()}, inputs);
  EXPECT_EQ(csv.status, lines.status);
  EXPECT_EQ(
      zor_test::ReadFile(done),
      "Oil &amp; Gas Pump,Equipment,*,Oil&amp;GasPump,Equipment,*,EQT,\n"
      "Oil &amp; Gas Pump,Equipment,Flow &amp; Head,Oil&amp;GasPump,Equipment,Flow&amp;Head,\n"
      "Heat Exchanger,Equipment,*,HeatExchanger,Equipment,*,EQT,\n");
  for (const char* said :
       {"target class 'Pipe,Strainer' holds a comma", "class 'Valve, Gate' holds a comma",
        "m.csv:1: Clapet anti-retour: the table's class row names another target"}) {
    EXPECT_NE(csv.err.find(said), std::string::npos) << csv.err;
  }
  const zor_test::CliRun quiet = Suggest({"--format", "csv", "-q"}, inputs);
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(quiet.out, zor_test::ReadFile(done));

  const zor_test::CliRun merge = zor_test::RunCli({"merge", inputs[2], done.string()});
  EXPECT_EQ(merge.status, 0) << merge.err;
}

// A class at the top of either hierarchy has no parent, and the table
// reader misreads a row with an empty parent column: such a row is left out
// with the reason, as one with a comma is.
TEST(SuggestCommand, AClassWithoutAParentIsNeverWrittenAsARow) {
  for (const char* source_parent : {"", "Equipment"}) {
    SCOPED_TRACE(source_parent);
    zor_test::ScratchDirectory scratch;
    zor_test::WriteFile(
        scratch / "s.xml",
        std::string("<Dictionary Name=\"S\"><Class Name=\"Heat Exchanger\" ShortName=\"HX\" "
                    "Parent=\"") +
            source_parent + "\" ShortParent=\"\"/></Dictionary>\n");
    zor_test::WriteFile(scratch / "t.xml",
                        "<Dictionary Name=\"T\" Domain=\"EQT\"><Class Name=\"HeatExchanger\" "
                        "DisplayName=\"Heat Exchanger\" Superclass=\"\"/></Dictionary>\n");
    zor_test::WriteFile(scratch / "m.csv", "");
    const fs::path done = scratch / "done.csv";
    const zor_test::CliRun csv = Suggest(
        {"--format", "csv", "-o", done.string()},
        {(scratch / "s.xml").string(), (scratch / "t.xml").string(), (scratch / "m.csv").string()});
    EXPECT_EQ(zor_test::ReadFile(done).find(",,"), std::string::npos);
    EXPECT_NE(csv.err, "");
    const zor_test::CliRun merge =
        zor_test::RunCli({"merge", (scratch / "m.csv").string(), done.string()});
    EXPECT_EQ(merge.status, 0) << merge.err;
  }
}

}  // namespace

namespace {

// A table that holds a completed row the suggestion contradicts, and
// attributes that sit on an ancestor of their class's target, one that a
// row can reach (the first class under its parent) and one it cannot: the
// rows written all merge, and the others are said with what to do.
TEST(SuggestCommand, EveryRowWrittenIsOneAMergeTakes) {
  zor_test::ScratchDirectory scratch;
  const fs::path example = scratch / "example";
  zor_test::CopyExample("v4v5", example);
  const fs::path d = example / "Dictionary";
  const fs::path table = d / "MappingTable/plant_mapping.csv";
  zor_test::WriteFile(table, zor_test::ReadFile(table) +
                                 "Strainer,Pipe Fitting,*,,,*,EQT,\n"
                                 "Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,\n");
  const fs::path tree = scratch / "tree";
  fs::create_directories(tree);
  zor_test::WriteFile(
      tree / "s.xml",
      "<Dictionary Name=\"S\">"
      "<Class Name=\"Ball Valve\" ShortName=\"BV\" Parent=\"Equipment\" ShortParent=\"EQ\">"
      "<Simple Name=\"Body Material\" ShortName=\"BM\"/><Simple Name=\"Port Size\" "
      "ShortName=\"PS\"/></Class>"
      "<Class Name=\"Pressure Gauge\" ShortName=\"PG\" Parent=\"Equipment\" ShortParent=\"EQ\">"
      "<Simple Name=\"Range\" ShortName=\"RG\"/></Class></Dictionary>\n");
  zor_test::WriteFile(
      tree / "t.xml",
      "<Dictionary Name=\"T\" Domain=\"EQT\"><Class Name=\"Equipment\" DisplayName=\"Equipment\" "
      "Superclass=\"\"/>"
      "<Class Name=\"Valve\" DisplayName=\"Valve\" Superclass=\"Equipment\"><Simple "
      "Name=\"BodyMaterial\" DisplayName=\"Body Material\"/></Class>"
      "<Class Name=\"BallValve\" DisplayName=\"Ball Valve\" Superclass=\"Valve\"><Simple "
      "Name=\"PortSize\" DisplayName=\"Port Size\"/></Class>"
      "<Class Name=\"Gauge\" DisplayName=\"Gauge\" Superclass=\"Equipment\"><Simple Name=\"Range\" "
      "DisplayName=\"Range\"/></Class>"
      "<Class Name=\"PressureGauge\" DisplayName=\"Pressure Gauge\" "
      "Superclass=\"Gauge\"/></Dictionary>\n");
  zor_test::WriteFile(tree / "m.csv",
                      "Ball Valve,Equipment,*,BallValve,Valve,*,EQT,\n"
                      "Pressure Gauge,Equipment,*,PressureGauge,Gauge,*,EQT,\n");
  const struct {
    Arguments inputs;
    std::vector<std::string> written, said;
  } cases[] = {
      {{(d / "V4_Exported_XML/plant_v4.xml").string(),
        (d / "V5_Exported_XML/plant_v5.xml").string(), table.string()},
       {"Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n"},
       {"plant_mapping.csv:22: Strainer: Mesh Size: the table's row says otherwise",
        "edit it to read: Strainer,Pipe Fitting,Mesh "
        "Size,PipeStrainer,PipingComponent,MeshSize,\n"}},
      {{(tree / "s.xml").string(), (tree / "t.xml").string(), (tree / "m.csv").string()},
       {"Ball Valve,Equipment,Body Material,Valve,Equipment,BodyMaterial,\n",
        "Ball Valve,Equipment,Port Size,BallValve,Valve,PortSize,\n"},
       {"Pressure Gauge: Range: Gauge.Range is out of any row's reach: a row naming Gauge is "
        "looked up in Valve"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.inputs[2]);
    const fs::path done = scratch / "done.csv";
    const zor_test::CliRun csv = Suggest({"--format", "csv", "-o", done.string()}, c.inputs);
    const std::string rows = zor_test::ReadFile(done);
    for (const std::string& row : c.written) EXPECT_NE(rows.find(row), std::string::npos) << rows;
    for (const std::string& said : c.said)
      EXPECT_NE(csv.err.find(said), std::string::npos) << csv.err;
    for (const json& record : Records(Suggest({"--format", "jsonl"}, c.inputs).out)) {
      if (record["record"] != "suggestion" || record["row_written"] == true ||
          !record.contains("row_to_write")) {
        continue;
      }
      EXPECT_EQ(rows.find(record["row_to_write"].get<std::string>()), std::string::npos) << record;
    }
    const zor_test::CliRun merge = zor_test::RunCli({"merge", c.inputs[2], done.string()});
    EXPECT_EQ(merge.status, 0) << merge.err;
  }
  // The next comparison finds the attribute of the ancestor through its row.
  const zor_test::CliRun check =
      zor_test::RunCli({"check", "--format", "jsonl", (tree / "s.xml").string(),
                        (tree / "t.xml").string(), (tree / "m.csv").string()});
  EXPECT_NE(check.out.find("\"label\":\"Body Material\",\"key\":\"BodyMaterial\""),
            std::string::npos)
      << check.out;
}

}  // namespace

namespace {

// The example with its Strainer renamed Sieve: the user's synonym finds it,
// and says so; bad lines of the synonyms file are refused with their line;
// a database that cannot be read is said once and the run goes on.
TEST(SuggestCommand, TheUsersSynonymsAndAMissingDatabase) {
  zor_test::ScratchDirectory scratch;
  const fs::path example = scratch / "example";
  zor_test::CopyExample("v4v5", example);
  const fs::path d = example / "Dictionary";
  const fs::path source = d / "V4_Exported_XML/plant_v4.xml";
  std::string xml = zor_test::ReadFile(source);
  xml.replace(xml.find("Name=\"Strainer\""), 15, "Name=\"Sieve\"");
  zor_test::WriteFile(source, xml);
  zor_test::WriteFile(scratch / "words.txt", "# the trade's own words\nsieve = strainer\n");
  zor_test::WriteFile(scratch / "bad.txt", "sieve = strainer\nlonely\n= strainer\n");
  const Arguments inputs{source.string(), (d / "V5_Exported_XML/plant_v5.xml").string(),
                         (d / "MappingTable/plant_mapping.csv").string()};
  auto sieve = [](const std::vector<json>& records) {
    for (const json& record : records) {
      if (record.value("for", "") == "class" && record["class"]["label"] == "Sieve") return record;
    }
    return json();
  };
  const json with = sieve(Records(Suggest({"--format", "jsonl", "--wordnet", "none", "--synonyms",
                                           (scratch / "words.txt").string()},
                                          inputs)
                                      .out));
  EXPECT_EQ(with["accepted"], "PipeStrainer") << with;
  EXPECT_NE(with.dump().find("synonyms: sieve ~ strainer"), std::string::npos) << with;
  EXPECT_TRUE(
      sieve(Records(Suggest({"--format", "jsonl", "--wordnet", "none"}, inputs).out))["accepted"]
          .is_null());

  const zor_test::CliRun bad =
      Suggest({"--wordnet", "none", "--synonyms", (scratch / "bad.txt").string()}, inputs);
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("bad.txt:2:"), std::string::npos) << bad.err;
  EXPECT_NE(bad.err.find("bad.txt:3:"), std::string::npos) << bad.err;

  const zor_test::CliRun missing =
      Suggest({"--format", "jsonl", "--wordnet", (scratch / "nowhere").string()}, inputs);
  EXPECT_EQ(missing.status, 1);
  EXPECT_FALSE(Records(missing.out).empty());
  size_t said = 0;
  for (size_t at = 0; (at = missing.err.find("WordNet", at)) != std::string::npos; ++at) ++said;
  EXPECT_EQ(said, 1u) << missing.err;
}

}  // namespace

// README's example of `zorvez suggest` on the example tree is what the run
// prints: the lines it shows, in their order, and the score its prose gives
// Check Valve's best candidate.
TEST(SuggestCommand, ReadmesExampleIsWhatTheRunPrints) {
  const std::string readme =
      zor_test::ReadFile(fs::path(ZOR_EXAMPLES_DIR).parent_path() / "README.md");
  const std::string opening = "The first command prints, among the rest:\n\n```\n";
  const size_t begin = readme.find(opening);
  ASSERT_NE(begin, std::string::npos);
  const size_t from = begin + opening.size();
  const std::string shown = readme.substr(from, readme.find("```", from) - from);
  const zor_test::CliRun run = Suggest({}, ExampleInputs());
  ASSERT_EQ(run.status, 1) << run.err;  // items are left without an accepted target
  std::istringstream lines(shown);
  size_t at = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line == "...") continue;
    const size_t found = run.out.find(line + "\n", at);
    ASSERT_NE(found, std::string::npos) << "README shows a line the run does not print here:\n"
                                        << line << "\nthe run prints:\n"
                                        << run.out;
    at = found + line.size();
  }
  const std::string prose = "`Check Valve`'s best, `Gate Valve`, scores ";
  const size_t said = readme.find(prose);
  ASSERT_NE(said, std::string::npos);
  const std::string score = readme.substr(said + prose.size(), 4);
  EXPECT_NE(run.out.find("    " + score + "  GateValve \"Gate Valve\""), std::string::npos)
      << "README gives Gate Valve the score " << score << "; the run prints:\n"
      << run.out;
}
