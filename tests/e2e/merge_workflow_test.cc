// The loop README describes, on the V4/V5 example: run, complete the rows
// proposed for the red class, merge them with zorvez, run again, load the
// new class the DDL proposes into the target, and run once more.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

// Fills the empty target columns of a proposed row the way README says: a
// new class named as the proposed DDL will name it.
std::string Completed(const std::string& row) {
  if (row == "Strainer,Pipe Fitting,*,,,*,") return "Strainer,Pipe Fitting,*,Strainer,Valve,*,EQT,";
  std::string prefix = "Strainer,Pipe Fitting,";
  std::string attribute = row.substr(prefix.size(), row.find(',', prefix.size()) - prefix.size());
  std::string key = e2e::ReplaceAll(attribute, " ", "");
  return prefix + attribute + ",Strainer,Valve," + key + ",";
}

// README's step 4: the DDL's element of the class named, copied into the
// target before its root element ends.
void LoadProposedClass(const fs::path& ddl, const fs::path& target, const std::string& name) {
  std::string proposed = e2e::ReadFile(ddl);
  size_t name_at = proposed.find("Name=\"" + name + "\"");
  ASSERT_NE(name_at, std::string::npos) << proposed;
  size_t start = proposed.rfind("<Class", name_at);
  size_t end = proposed.find("</Class>", name_at) + std::string("</Class>").size();
  std::string dictionary = e2e::ReadFile(target);
  size_t root_end = dictionary.rfind("</Dictionary>");
  ASSERT_NE(root_end, std::string::npos);
  dictionary.insert(root_end, proposed.substr(start, end - start) + "\n");
  e2e::WriteFile(target, dictionary);
}

TEST(MergeWorkflow, CompletedRowsOfTheRedClassMakeItAMappedClass) {
  e2e::ScratchDirectory scratch;
  const fs::path root = scratch / "v4v5";
  zor_test::CopyExample("v4v5", root);
  const fs::path dictionary = root / "Dictionary";
  const std::string table = (dictionary / "MappingTable/plant_mapping.csv").string();
  const std::vector<std::string> run{
      "-i", "plant_v4.xml", "plant_v5.xml", "-m", "plant_mapping.csv", "-o", "plant_report"};
  const std::string missing = "Strainer (STR) not found in mapping table!";

  ASSERT_EQ(e2e::RunTool(run, root.string()).exit_status, 0);
  ASSERT_NE(e2e::ReadFile(dictionary / "Reports/plant_report.html").find(missing),
            std::string::npos);
  std::string completed;
  std::string proposed = e2e::ReadFile(dictionary / "DDL_Files/plant_report.csv");
  for (size_t start = 0, end; (end = proposed.find('\n', start)) != std::string::npos;
       start = end + 1) {
    std::string row = proposed.substr(start, end - start);
    if (row.starts_with("Strainer,")) completed += Completed(row) + "\n";
  }
  ASSERT_FALSE(completed.empty());
  e2e::WriteFile(dictionary / "DDL_Files/completed.csv", completed);
  const std::string completed_path = (dictionary / "DDL_Files/completed.csv").string();

  ASSERT_EQ(e2e::RunZorvez({"merge", table, completed_path}), 0);
  ASSERT_EQ(e2e::RunTool(run, root.string()).exit_status, 0);
  std::string report = e2e::ReadFile(dictionary / "Reports/plant_report.html");
  EXPECT_EQ(report.find(missing), std::string::npos);
  EXPECT_NE(
      report.find("Strainer (STR) not found in existing V5 XML!</font></b> Provide new class"),
      std::string::npos);
  EXPECT_EQ(e2e::ReadFile(dictionary / "DDL_Files/plant_report.csv").find("Strainer"),
            std::string::npos);

  LoadProposedClass(dictionary / "DDL_Files/plant_report.xml",
                    dictionary / "V5_Exported_XML/plant_v5.xml", "Strainer");
  ASSERT_EQ(e2e::RunTool(run, root.string()).exit_status, 0);
  report = e2e::ReadFile(dictionary / "Reports/plant_report.html");
  for (const char* green :
       {"Strainer (STR)</font> valid in mapping table and V5 XML (mapped as \"Strainer\")",
        "Mesh Size (MeshSize)</font> valid", "Pipe Size (PipeSize)</font> valid"}) {
    EXPECT_NE(report.find(green), std::string::npos) << green;
  }

  const std::string merged = e2e::ReadFile(table);
  const fs::path folder = fs::path(table).parent_path();
  const auto files = [&] { return std::distance(fs::directory_iterator(folder), {}); };
  const auto before = files();
  EXPECT_EQ(e2e::RunZorvez({"merge", table, completed_path}), 0);
  EXPECT_EQ(e2e::ReadFile(table), merged);
  EXPECT_EQ(files(), before) << "a merge that changes nothing rewrote the table";
}

// README's completed Strainer rows as real CSV tools saved them
// (tests/data/csv-writers): each merges, and the next run maps Strainer.
// A file separated by semicolons is refused and changes nothing.
TEST(MergeWorkflow, RowsSavedByCsvToolsMergeAndTheNextRunMapsTheClass) {
  const std::vector<std::string> run{
      "-i", "plant_v4.xml", "plant_v5.xml", "-m", "plant_mapping.csv", "-o", "plant_report"};
  const fs::path writers = fs::path(ZOR_TEST_DATA_DIR) / "csv-writers";
  for (const char* name : {"calc.csv", "csv-writer.csv", "csv-writer-quote-all.csv", "pandas.csv",
                           "pandas-utf8-bom.csv", "pandas-utf16.csv", "pandas-semicolon.csv"}) {
    SCOPED_TRACE(name);
    e2e::ScratchDirectory scratch;
    const fs::path root = scratch / "v4v5";
    fs::copy(fs::path(ZOR_EXAMPLES_DIR) / "v4v5", root, fs::copy_options::recursive);
    const fs::path dictionary = root / "Dictionary";
    const std::string table = (dictionary / "MappingTable/plant_mapping.csv").string();
    const std::string before = e2e::ReadFile(table);
    bool refused = std::string(name) == "pandas-semicolon.csv";
    ASSERT_EQ(
        e2e::RunZorvez({"merge", "--source", (dictionary / "V4_Exported_XML/plant_v4.xml").string(),
                        "--target", (dictionary / "V5_Exported_XML/plant_v5.xml").string(), table,
                        (writers / name).string()}),
        refused ? 2 : 0);
    if (refused) {
      EXPECT_EQ(e2e::ReadFile(table), before);
      continue;
    }
    EXPECT_TRUE(e2e::ReadFile(table).ends_with(
        "Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT,\n"
        "Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,\n"
        "Strainer,Pipe Fitting,Pipe Size,YStrainer,Valve,PipeSize,\n"));
    ASSERT_EQ(e2e::RunTool(run, root.string()).exit_status, 0);
    std::string report = e2e::ReadFile(dictionary / "Reports/plant_report.html");
    EXPECT_EQ(report.find("Strainer (STR) not found in mapping table!"), std::string::npos);
    EXPECT_NE(report.find("Strainer (STR) not found in existing V5 XML!"), std::string::npos);
  }
}

// A badly mapped attribute row, completed through merge, is replaced in
// place: its badly mapped line becomes a valid one.
TEST(MergeWorkflow, CompletingABadlyMappedAttributeRowMakesItValid) {
  e2e::ScratchDirectory scratch;
  const fs::path root = scratch / "v4v5";
  fs::copy(fs::path(ZOR_EXAMPLES_DIR) / "v4v5", root, fs::copy_options::recursive);
  const fs::path dictionary = root / "Dictionary";
  const std::vector<std::string> run{
      "-i", "plant_v4.xml", "plant_v5.xml", "-m", "plant_mapping.csv", "-o", "plant_report"};
  const std::string red = "Motor Power</font></b><font color=\"#000000\"> is badly mapped";
  ASSERT_EQ(e2e::RunTool(run, root.string()).exit_status, 0);
  ASSERT_NE(e2e::ReadFile(dictionary / "Reports/plant_report.html").find(red), std::string::npos);
  e2e::WriteFile(dictionary / "DDL_Files/motor.csv",
                 "Pump,Equipment,Motor Power,CentrifugalPump,RotatingEquipment,Speed\n");
  ASSERT_EQ(e2e::RunZorvez({"merge", (dictionary / "MappingTable/plant_mapping.csv").string(),
                            (dictionary / "DDL_Files/motor.csv").string()}),
            0);
  ASSERT_EQ(e2e::RunTool(run, root.string()).exit_status, 0);
  std::string report = e2e::ReadFile(dictionary / "Reports/plant_report.html");
  EXPECT_EQ(report.find(red), std::string::npos);
  EXPECT_NE(report.find("Speed (Speed)</font> valid in mapping table and V5 XML."),
            std::string::npos);
}

}  // namespace
