// zorvez suggest's rows on generated trees: suggest --format csv, merge the
// rows, run the defined tool: every accepted class is found in the table.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

const char* const kWords[] = {"Pump",   "Valve",  "Gauge",  "Strainer", "Filter",
                              "Tank",   "Motor",  "Heater", "Cooler",   "Oil &amp; Gas",
                              "Switch", "Sensor", "Drum"};

std::string Camel(std::string label) {
  label = e2e::ReplaceAll(label, " &amp; ", "And");
  return e2e::ReplaceAll(label, " ", "");
}

// A source and a target of the same classes (labels in words, keys in
// camel case), a table mapping every third class and some attributes.
void WriteTree(const fs::path& root, unsigned seed, int classes) {
  std::mt19937 random(seed);
  e2e::MakeDictionaryFolders(root);
  std::string source = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Dictionary Name=\"S\">\n";
  std::string target =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Dictionary Name=\"T\" Domain=\"EQT\">\n";
  std::string table;
  std::vector<std::string> labels{"Equipment"};
  target += "<Class Name=\"Equipment\" DisplayName=\"Equipment\" Superclass=\"\"/>\n";
  for (int i = 0; i < classes; ++i) {
    std::string label =
        std::string(kWords[random() % 13]) + " " + kWords[random() % 13] + " " + std::to_string(i);
    std::string parent = labels[random() % labels.size()];
    std::string attribute = std::string(kWords[random() % 13]) + " Size";
    source += "<Class Name=\"" + label + "\" ShortName=\"K" + std::to_string(i) + "\" Parent=\"" +
              parent + "\" ShortParent=\"" + Camel(parent) + "\">\n  <Simple Name=\"" + attribute +
              "\" ShortName=\"A\" Type=\"Real\" Value=\"\"/>\n</Class>\n";
    target += "<Class Name=\"" + Camel(label) + "\" DisplayName=\"" + label + "\" Superclass=\"" +
              Camel(parent) + "\">\n  <Simple Name=\"" + Camel(attribute) + "\" DisplayName=\"" +
              attribute + "\" Type=\"Real\"/>\n</Class>\n";
    if (i % 3 == 0) {
      std::string plain = e2e::ReplaceAll(label, "&amp;", "&amp;");
      table += plain + "," + parent + ",*," + Camel(label) + "," + Camel(parent) + ",*,EQT,\n";
    }
    labels.push_back(label);
  }
  e2e::WriteFile(root / "Dictionary/V4_Exported_XML/s.xml", source + "</Dictionary>\n");
  e2e::WriteFile(root / "Dictionary/V5_Exported_XML/t.xml", target + "</Dictionary>\n");
  e2e::WriteFile(root / "Dictionary/MappingTable/m.csv", table);
}

TEST(SuggestWorkflow, AcceptedRowsMergeAndTheNextRunFindsEveryAcceptedClass) {
  for (unsigned seed : {1u, 2u, 3u}) {
    e2e::ScratchDirectory scratch;
    const fs::path root = scratch / "tree";
    WriteTree(root, seed, 30 + 20 * static_cast<int>(seed));
    const fs::path d = root / "Dictionary";
    const std::vector<std::string> inputs{(d / "V4_Exported_XML/s.xml").string(),
                                          (d / "V5_Exported_XML/t.xml").string(),
                                          (d / "MappingTable/m.csv").string()};
    auto with = [&](std::vector<std::string> options) {
      options.insert(options.end(), inputs.begin(), inputs.end());
      return options;
    };
    ASSERT_LE(e2e::RunZorvez(with({"suggest", "--format", "jsonl"}), scratch / "records.jsonl"), 1);
    const fs::path done = scratch / "done.csv";
    ASSERT_LE(e2e::RunZorvez(with({"suggest", "--format", "csv", "-o", done.string()}),
                             scratch / "csv.out"),
              1);
    const std::string rows = e2e::ReadFile(done);
    ASSERT_NE(rows.find(",*,"), std::string::npos) << "seed " << seed << ": no class accepted";
    EXPECT_NE(rows.find("&amp;"), std::string::npos) << "an & not spelled as the table spells it";
    ASSERT_EQ(e2e::RunZorvez({"merge", inputs[2], done.string()}, scratch / "merge.out"), 0)
        << "seed " << seed << ":\n"
        << rows;

    ASSERT_EQ(
        e2e::RunTool({"-i", "s.xml", "t.xml", "-m", "m.csv", "-o", "r"}, root.string()).exit_status,
        0);
    const std::string report = e2e::ReadFile(d / "Reports/r.html");
    const std::string records = e2e::ReadFile(scratch / "records.jsonl");
    int accepted = 0;
    for (size_t at = 0; (at = records.find("\"for\":\"class\"", at)) != std::string::npos; ++at) {
      size_t end = records.find('\n', at);
      std::string record = records.substr(at, end - at);
      if (record.find("\"accepted\":null") != std::string::npos) continue;
      size_t key = record.find("\"key\":\"") + 7;
      std::string source_key = record.substr(key, record.find('"', key) - key);
      ++accepted;
      EXPECT_EQ(report.find("(" + source_key + ") not found in mapping table"), std::string::npos)
          << "seed " << seed << ": " << record;
    }
    EXPECT_GT(accepted, 0);
  }
}

// On the example: Strainer, missing from the table, gets the target's
// Strainer with its evidence; the rows merge and the next run finds it.
TEST(SuggestWorkflow, TheExamplesStrainerIsSuggestedMergedAndFound) {
  e2e::ScratchDirectory scratch;
  const fs::path root = scratch / "v4v5";
  zor_test::CopyExample("v4v5", root);
  const fs::path d = root / "Dictionary";
  const std::vector<std::string> inputs{(d / "V4_Exported_XML/plant_v4.xml").string(),
                                        (d / "V5_Exported_XML/plant_v5.xml").string(),
                                        (d / "MappingTable/plant_mapping.csv").string()};
  std::vector<std::string> text{"suggest"};
  text.insert(text.end(), inputs.begin(), inputs.end());
  ASSERT_EQ(e2e::RunZorvez(text, scratch / "text.out"), 1);
  EXPECT_NE(e2e::ReadFile(scratch / "text.out")
                .find("class Strainer (not in the mapping table): suggests PipeStrainer\n"
                      "    0.91  PipeStrainer \"Strainer\" under PipingComponent  [label,"),
            std::string::npos)
      << e2e::ReadFile(scratch / "text.out");
  const fs::path done = d / "DDL_Files/suggested.csv";
  std::vector<std::string> csv{"suggest", "--format", "csv", "-o", done.string()};
  csv.insert(csv.end(), inputs.begin(), inputs.end());
  ASSERT_EQ(e2e::RunZorvez(csv, scratch / "csv.out"), 1);
  ASSERT_EQ(e2e::RunZorvez({"merge", inputs[2], done.string()}, scratch / "merge.out"), 0);
  ASSERT_EQ(
      e2e::RunTool({"-i", "plant_v4.xml", "plant_v5.xml", "-m", "plant_mapping.csv", "-o", "again"},
                   root.string())
          .exit_status,
      0);
  const std::string report = e2e::ReadFile(d / "Reports/again.html");
  EXPECT_EQ(report.find("Strainer (STR) not found in mapping table"), std::string::npos);
  EXPECT_NE(report.find("valid in mapping table and V5 XML (mapped as \"Strainer\")"),
            std::string::npos);
}

// A review saved on one page carries into the next run: the decided target
// and the No Mapping are written, merged and found; the entries whose item
// or target is gone are said by number; a malformed file stops the run.
TEST(SuggestWorkflow, AReviewsDecisionsCarryIntoTheRowsAndTheNextRun) {
  e2e::ScratchDirectory scratch;
  const fs::path root = scratch / "v4v5";
  zor_test::CopyExample("v4v5", root);
  const fs::path d = root / "Dictionary";
  const fs::path decisions = scratch / "review.json";
  e2e::WriteFile(decisions, R"({"format":"zorvez-review-decisions","version":1,)"
                            R"("suggestions":"0000000000000000","decisions":[)"
                            R"({"class":"STR","target":{"key":"GateValve"}},)"
                            R"({"class":"STR","attribute":{"key":"MSH","label":"Mesh Size"},)"
                            R"("no_mapping":true},)"
                            R"({"class":"STR","attribute":{"key":"PSZ","label":"Pipe Size"},)"
                            R"("target":{"class":"GateValve","key":"NominalSize"}},)"
                            R"({"class":"PMP","target":{"key":"Valve"}},)"
                            R"({"class":"GONE","no_mapping":true},)"
                            R"({"class":"ORP","target":{"key":"Nowhere"}}]})");
  const std::vector<std::string> inputs{(d / "V4_Exported_XML/plant_v4.xml").string(),
                                        (d / "V5_Exported_XML/plant_v5.xml").string(),
                                        (d / "MappingTable/plant_mapping.csv").string()};
  auto suggest = [&](const std::string& format, const fs::path& file) {
    std::vector<std::string> arguments{"suggest",          "--wordnet", "none", "--decisions",
                                       decisions.string(), "--format",  format};
    arguments.insert(arguments.end(), inputs.begin(), inputs.end());
    return e2e::RunZorvez(arguments, file, scratch / "err.txt");
  };
  ASSERT_EQ(suggest("jsonl", scratch / "records.jsonl"), 1);
  const std::string said = e2e::ReadFile(scratch / "err.txt");
  for (const char* line :
       {"review.json: 3 of 6 decisions carried; 1 now mapped by the table; 1 gone from the "
        "dictionary to migrate; 1 whose target is gone from the target dictionary",
        "review.json: entry 4: PMP: now mapped by the table",
        "review.json: entry 6: ORP: its target Nowhere is gone from the target dictionary"}) {
    EXPECT_NE(said.find(line), std::string::npos) << line << "\n" << said;
  }
  const std::string records = e2e::ReadFile(scratch / "records.jsonl");
  EXPECT_NE(records.find(R"("key":"GateValve","label":"Gate Valve","parent":"Valve","score":)"),
            std::string::npos);
  EXPECT_NE(records.find(R"("accepted":"GateValve")"), std::string::npos);
  EXPECT_NE(records.find(R"("accepted":null,"no_mapping":true,"row_written":true)"),
            std::string::npos)
      << records;

  const fs::path done = d / "DDL_Files/reviewed.csv";
  ASSERT_EQ(suggest("csv", done), 1);
  EXPECT_EQ(e2e::ReadFile(done),
            "Strainer,Pipe Fitting,*,GateValve,Valve,*,EQT,\n"
            "Strainer,Pipe Fitting,Mesh Size,No Mapping,\n"
            "Strainer,Pipe Fitting,Pipe Size,GateValve,Valve,NominalSize,\n");
  // The rows are in the table's own form: the merge has nothing to undo.
  ASSERT_EQ(e2e::RunZorvez({"merge", inputs[2], done.string()}, scratch / "merge.out",
                           scratch / "merge.err"),
            0);
  EXPECT_EQ(e2e::ReadFile(scratch / "merge.err").find("taken as a CSV tool writes it"),
            std::string::npos);
  EXPECT_NE(e2e::ReadFile(inputs[2]).find("\nStrainer,Pipe Fitting,Mesh Size,No Mapping,\n"),
            std::string::npos);
  ASSERT_EQ(
      e2e::RunTool({"-i", "plant_v4.xml", "plant_v5.xml", "-m", "plant_mapping.csv", "-o", "again"},
                   root.string())
          .exit_status,
      0);
  EXPECT_NE(e2e::ReadFile(d / "Reports/again.html")
                .find("valid in mapping table and V5 XML (mapped as \"Gate Valve\")"),
            std::string::npos);

  e2e::WriteFile(decisions, R"({"format":"zorvez-review-decisions","version":1,"decisions":[)"
                            R"({"class":"STR","target":{"key":"GateValve"},"no_mapping":true}]})");
  EXPECT_EQ(suggest("csv", scratch / "refused.csv"), 2);
  EXPECT_NE(e2e::ReadFile(scratch / "err.txt")
                .find("review.json: entry 1: has both target and no_mapping: decide one of them"),
            std::string::npos);
}

}  // namespace
