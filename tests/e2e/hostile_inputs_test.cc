// Hostile inputs: whatever the three input files hold, the tool ends with
// status 0, prints its summary and writes its three files as for any other
// input. An input it cannot use counts as absent: a dictionary that does not
// load is a null document, a table that cannot be read is empty text. It
// reads nothing but the files it was given, and its memory stays bounded.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

using zor_test::Repeat;
using Outputs = std::vector<std::string>;  // console, report, DDL, proposed rows
enum class Input { kSource, kTarget, kTable };
const std::vector<Input> kAllInputs{Input::kSource, Input::kTarget, Input::kTable};
const std::vector<Input> kDictionaries{Input::kSource, Input::kTarget};
constexpr size_t kNotFound = std::string::npos;

// One class Pump with one attribute, a target holding its counterpart and a
// table mapping it: a run that finds everything in agreement.
const std::string kSource =
    "<Dictionary Name=\"Plant\">\n"
    "<Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\" ShortParent=\"EQP\">\n"
    "<Simple Name=\"Flow\" ShortName=\"FLW\" Type=\"Real\" Value=\"0\"/>\n"
    "</Class>\n</Dictionary>\n";
const std::string kTarget =
    "<Dictionary Name=\"Plant5\" Domain=\"EQT\">\n"
    "<Class Name=\"CentrifugalPump\" DisplayName=\"Centrifugal Pump\" "
    "Superclass=\"RotatingEquipment\" Creator=\"ENG\" UUID=\"0B6E9C4A1F2D4E3B8A7C6D5E4F3A2B1C\">\n"
    "<Simple Name=\"FlowRate\" DisplayName=\"Flow Rate\" Type=\"Real\"/>\n"
    "</Class>\n</Dictionary>\n";
const std::string kTable =
    "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT\n"
    "Pump,Equipment,Flow,CentrifugalPump,RotatingEquipment,FlowRate,EQT\n";
// A table that names only another class reads, for Pump, like an empty one.
const std::string kValveOnly = "Valve,Equipment,*,Valve,Equipment,*,EQT\n";

std::string ExpectedDdl(const std::string& name, const std::string& domain,
                        const std::string& classes = "") {
  return "<?xml version=\"1.0\" ?>\n<Package\n     Name=\"" + name + "\" Domain=\"" + domain +
         "\" xmlns=\"x-schema:V5classSchema.xml\">\n\n" + classes + "</Package>\n";
}

class HostileInputs : public testing::Test {
 protected:
  void SetUp() override {
    e2e::MakeDictionaryFolders(root_);
    Put(kSource, kTarget, kTable);
  }

  fs::path PathOf(Input input) const {
    switch (input) {
      case Input::kSource:
        return root_ / "Dictionary/V4_Exported_XML/source.xml";
      case Input::kTarget:
        return root_ / "Dictionary/V5_Exported_XML/target.xml";
      default:
        return root_ / "Dictionary/MappingTable/table.csv";
    }
  }
  void Put(const std::string& source, const std::string& target, const std::string& table) {
    e2e::WriteFile(PathOf(Input::kSource), source);
    e2e::WriteFile(PathOf(Input::kTarget), target);
    e2e::WriteFile(PathOf(Input::kTable), table);
  }
  e2e::ToolRun RunTool() const {
    return e2e::RunTool({"-i", "source.xml", "target.xml", "-m", "table.csv", "-o", "out"},
                        root_.string());
  }
  std::string Run() const {
    e2e::ToolRun run = RunTool();
    EXPECT_EQ(run.exit_status, 0);
    return run.output;
  }
  std::string Output(const std::string& below_dictionary) const {
    return e2e::ReadFile(root_ / "Dictionary" / below_dictionary);
  }
  std::string Report() const { return Output("Reports/out.html"); }
  std::string Ddl() const { return Output("DDL_Files/out.xml"); }
  std::string Csv() const { return Output("DDL_Files/out.csv"); }
  Outputs RunOutputs() { return {Run(), Report(), Ddl(), Csv()}; }
  std::string Console(long classes) const {
    return e2e::CompleteRunConsole(root_.string(), classes);
  }

  // The outputs of the run as set up, for comparison with a spoiled run.
  Outputs GreenOutputs() {
    Put(kSource, kTarget, kTable);
    Outputs green = RunOutputs();
    EXPECT_NE(green[1].find("<font color=\"#007200\"><a name=\"PMP\"></a>Pump (PMP)</font> valid "
                            "in mapping table"),
              kNotFound);
    return green;
  }
  // The outputs with `input` absent: a truncated dictionary is a null
  // document, and the Valve-only table stands for empty text.
  const Outputs& AbsentOutputs(Input input) {
    if (!absent_.count(input)) {
      Put(kSource, kTarget, kTable);
      e2e::WriteFile(PathOf(input), input == Input::kTable ? kValveOnly : "<Dictionary");
      absent_[input] = RunOutputs();
    }
    return absent_[input];
  }
  // Spoils each of `inputs` in turn, the others left as set up.
  void ExpectEachUnusable(const std::vector<Input>& inputs,
                          const std::function<void(const fs::path&)>& spoil) {
    for (Input input : inputs) {
      SCOPED_TRACE(PathOf(input).filename().string());
      const Outputs absent = AbsentOutputs(input);
      Put(kSource, kTarget, kTable);
      spoil(PathOf(input));
      EXPECT_EQ(RunOutputs(), absent);
      fs::remove_all(PathOf(input));
    }
  }

  std::map<Input, Outputs> absent_;
  e2e::ScratchDirectory scratch_;
  const fs::path root_ = scratch_ / "root";
};

// The runs below compare with runs where the input is absent. Without a
// source document or with an empty table a run is as any other; without a
// target document Pump, found in the table, gets no line at all, and
// nothing is proposed.
TEST_F(HostileInputs, WithoutATargetDocumentAFoundClassGetsNoLine) {
  const Outputs outputs = AbsentOutputs(Input::kTarget);
  EXPECT_EQ(outputs[0], Console(1));
  EXPECT_NE(
      outputs[1].find("<a href=\"#PMP\">Pump (PMP)</a><br>\n<br>\n<br><br>\n<font "
                      "size=\"+1\"><a name=\"comparatortotals\"></a>XML Comparator Totals"
                      "</font><br>\nTotal number of classes: 1<br>\nNew classes suggested: 0<br>"),
      kNotFound);
  EXPECT_EQ(outputs[2], ExpectedDdl("Plant", ""));
  EXPECT_EQ(outputs[3], "");
}

// Each spoiling in turn on each input it names, the others left as set up.
TEST_F(HostileInputs, UnusableInputsCountAsAbsent) {
  std::mt19937 generator(20240611);
  std::string garbage(70000, '\0');
  for (char& byte : garbage) byte = static_cast<char>(generator());
  auto edit = [](const std::function<void(std::string&)>& change) {
    return [change](const fs::path& path) {
      std::string text = e2e::ReadFile(path);
      change(text);
      e2e::WriteFile(path, text);
    };
  };
  const struct {
    const char* what;
    std::vector<Input> inputs;
    std::function<void(const fs::path&)> spoil;
  } rows[] = {
      // An empty XML file holds no element, so it is a null document; an
      // empty table is the single line end the run appends.
      {"empty file", kAllInputs, [](const fs::path& path) { e2e::WriteFile(path, ""); }},
      // A directory passes the existence test; reading it fails at once.
      {"directory", kAllInputs,
       [](const fs::path& path) {
         fs::remove(path);
         e2e::WriteFile(path / "inside.xml", kSource);
       }},
      // Random bytes are no XML; as a table they are rows that name no
      // class. 70,000 bytes take the table reader past its first read.
      {"binary garbage", kAllInputs, [&](const fs::path& path) { e2e::WriteFile(path, garbage); }},
      // A NUL byte is not allowed in XML; the table text ends at its first
      // NUL, so rows after it are never read.
      {"NUL byte", kDictionaries,
       edit([](std::string& text) { text.insert(text.find("<Class"), 1, '\0'); })},
      {"NUL byte", {Input::kTable}, edit([](std::string& text) {
         text = kValveOnly + '\0' + text;
       })},
      // Bytes that are not UTF-8, in the first class name.
      {"invalid UTF-8", kDictionaries,
       edit([](std::string& text) { text.replace(text.find("Pump"), 4, "Pu\xFFmp"); })},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    ExpectEachUnusable(row.inputs, row.spoil);
  }
  // Rows after a NUL byte are never read, even one that would change the verdict.
  Outputs green = GreenOutputs();
  e2e::WriteFile(PathOf(Input::kTable), kTable + '\0' + "Pump,Equipment,*,No Mapping\n");
  EXPECT_EQ(RunOutputs(), green);
}

// UTF-16 without a byte-order mark is recognised from its first character,
// with or without an encoding declaration, and read as UTF-8 text: the run
// is the same as over the UTF-8 files, non-ASCII names included.
TEST_F(HostileInputs, Utf16WithoutByteOrderMarkLoadsAsUtf8) {
  std::string source = e2e::ReplaceAll(kSource, "\"Pump\"", "\"P\xC3\xBCmpe\"");
  std::string table = e2e::ReplaceAll(kTable, "Pump,Equipment", "P\xC3\xBCmpe,Equipment");
  Put(source, kTarget, table);
  Outputs utf8 = RunOutputs();
  EXPECT_NE(utf8[1].find("<a name=\"PMP\"></a>P\xC3\xBCmpe (PMP)</font> valid"), kNotFound);
  for (const std::string& head :
       {std::string("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"), std::string()}) {
    Put(zor_test::Utf16(head + source), zor_test::Utf16(head + kTarget), table);
    EXPECT_EQ(RunOutputs(), utf8);
  }
}

// Elements nested 100,000 deep: no part of the program recurses over the
// tree, and a class is found at any depth.
TEST_F(HostileInputs, DeepNestingIsSearchedWithoutRecursion) {
  Outputs green = GreenOutputs();
  auto nest = [](const std::string& dictionary) {
    size_t body = dictionary.find('\n') + 1;
    size_t end = dictionary.rfind("</Dictionary>");
    return dictionary.substr(0, body) + Repeat("<Group>", 100000) +
           dictionary.substr(body, end - body) + Repeat("</Group>", 100000) + "</Dictionary>\n";
  };
  Put(nest(kSource), nest(kTarget), kTable);
  EXPECT_EQ(RunOutputs(), green);
}

// Entities that expand without bound: the parser stops them, the
// dictionary does not load, and memory stays small.
TEST_F(HostileInputs, BillionLaughsLeaveANullDocumentInLittleMemory) {
  std::string entities = "<!ENTITY l0 \"lol\">";
  for (int i = 1; i <= 9; ++i) {
    entities += "<!ENTITY l" + std::to_string(i) + " \"" +
                Repeat("&l" + std::to_string(i - 1) + ";", 10) + "\">";
  }
  std::string laughs = "<?xml version=\"1.0\"?>\n<!DOCTYPE Dictionary [" + entities +
                       "]>\n<Dictionary Name=\"&l9;\" Domain=\"&l9;\"><Class Name=\"Pump\">&l9;"
                       "</Class></Dictionary>\n";
  ExpectEachUnusable(kDictionaries, [&](const fs::path& path) { e2e::WriteFile(path, laughs); });
  e2e::WriteFile(PathOf(Input::kSource), laughs);
  EXPECT_LT(RunTool().peak_memory_mib, 200);
}

// An external entity is never read: a reference in content is skipped, one
// in an attribute value is an error (null document). Either run writes
// exactly what it would without the outside file. (The parser tests cover
// the external DTD too.)
TEST_F(HostileInputs, NothingOutsideTheGivenFilesIsRead) {
  e2e::WriteFile(scratch_ / "outside/secret.txt", "SECRET-7F3A");
  const std::string entity = "<!DOCTYPE Dictionary [<!ENTITY s SYSTEM \"file://" +
                             (scratch_ / "outside/secret.txt").string() + "\">]>\n";
  Outputs green = GreenOutputs();
  e2e::WriteFile(PathOf(Input::kSource), entity + e2e::ReplaceAll(kSource, "/>", ">&s;</Simple>"));
  EXPECT_EQ(RunOutputs(), green);
  ExpectEachUnusable({Input::kSource}, [&](const fs::path& path) {
    e2e::WriteFile(path, entity + e2e::ReplaceAll(kSource, "\"Pump\"", "\"&s;\""));
  });
}

// Values of a megabyte are carried through whole: the table of contents
// writes the class name as read, the report lines and the proposed rows
// escape its ampersands.
TEST_F(HostileInputs, MegabyteValuesAreWrittenThroughWhole) {
  std::string name = Repeat("R&D ", 1 << 18);
  std::string escaped = Repeat("R&amp;D ", 1 << 18);
  std::string attribute = Repeat("x", 1 << 20);
  Put("<Dictionary Name=\"Plant\"><Class Name=\"" + escaped +
          "\" ShortName=\"PMP\" Parent=\"Equipment\"><Simple Name=\"" + attribute +
          "\" ShortName=\"FLW\"/></Class></Dictionary>",
      kTarget, "");
  EXPECT_EQ(Run(), Console(1));
  // The link, the verdict lines and the end of the body, in one piece.
  EXPECT_NE(Report().find("<a href=\"#PMP\">" + name +
                          " (PMP)</a><br>\n<br>\n"
                          "<b><font color=\"#FF0000\"><a name=\"PMP\"></a>" +
                          escaped +
                          " (PMP) not found in mapping table!</font></b> Provide new class in "
                          "mapping table.<br>\n&nbsp;&nbsp;&nbsp;<font color=\"#CC0000\">" +
                          attribute + " (FLW)</font> is an attribute under " + escaped +
                          ".<br>\n<br><br>\n"),
            kNotFound);
  EXPECT_EQ(Csv(),
            escaped + ",Equipment,*,,,*,\n" + escaped + ",Equipment," + attribute + ",,,,\n");
  EXPECT_EQ(Ddl(), ExpectedDdl("Plant", "EQT"));
}

// A table of one 50 MB line without a line end: read whole, with the line
// end the run appends. Its last field is the domain of a class proposed for
// the DDL, where it is written with that line end.
TEST_F(HostileInputs, FiftyMegabyteLineIsReadWhole) {
  const std::string domain(50 << 20, 'D');
  Put("<Dictionary Name=\"Plant\"><Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\"/>"
      "</Dictionary>",
      kTarget, "Pump,Equipment,*,Rotating,Rotating,*," + domain);
  EXPECT_EQ(Run(), Console(1));
  EXPECT_EQ(Csv(), "");
  std::string ddl = Ddl();
  const size_t uuid = ddl.find("UUID=\"");
  ASSERT_NE(uuid, kNotFound);
  ddl.replace(uuid + 6, 32, "<UUID>");
  // Compared as a truth value: a mismatch would print fifty megabytes.
  EXPECT_TRUE(ddl == ExpectedDdl("Plant", "EQT",
                                 "<Class \n     Name=\"Pump\"\n     DisplayName=\"Pump\"\n"
                                 "     Superclass=\"Rotating\"\n     Creator=\"\"\n     Domain=\"" +
                                     domain + "\n\"\n     UUID=\"<UUID>\">\n\n</Class>\n\n\n"));
}

// Output folders that do not exist: the outputs cannot be created, which
// goes unnoticed; the run completes, prints its summary and leaves no file.
TEST_F(HostileInputs, MissingOutputFoldersLeaveNoFiles) {
  fs::remove_all(root_ / "Dictionary/DDL_Files");
  fs::remove_all(root_ / "Dictionary/Reports");
  EXPECT_EQ(Run(), Console(1));
  std::vector<std::string> left;
  for (const auto& entry : fs::recursive_directory_iterator(root_)) {
    if (entry.is_regular_file()) left.push_back(entry.path().filename().string());
  }
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{"source.xml", "table.csv", "target.xml"}));
}

// 100,000 classes, every other one marked "No Mapping" in a 50,000-row
// table and the rest absent from it: every lookup stays fast, and the
// totals count them all.
TEST_F(HostileInputs, HundredThousandClassesAreCountedRight) {
  std::string source = "<Dictionary Name=\"Plant\">\n";
  std::string table;
  for (int i = 0; i < 100000; ++i) {
    std::string name = std::to_string(i);
    name.insert(0, 1, 'C');  // not "C" + ...: that trips a false -Wrestrict in GCC 12
    source += "<Class Name=\"" + name + "\" ShortName=\"" + name + "\" Parent=\"P\"/>\n";
    if (i % 2 == 0) table += name + ",P,*,No Mapping,,*,EQT\n";
  }
  Put(source + "</Dictionary>\n", kTarget, table);
  EXPECT_EQ(Run(), Console(100000));
  std::string report = Report();
  EXPECT_NE(report.find("Total number of classes: 100000<br>\nNew classes suggested: 50000<br>\n"
                        "V4 classes requested unmapped: 50000<br>\n"),
            kNotFound);
  EXPECT_NE(report.find("<a name=\"C99998\"></a>C99998 (C99998)</font><font color=\"#999999\"> "
                        "was explicitly unmapped"),
            kNotFound);
  std::string csv = Csv();
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 50000);
  const std::string last = "C99999,P,*,,,*,\n";
  ASSERT_GE(csv.size(), last.size());
  EXPECT_EQ(csv.substr(csv.size() - last.size()), last);
}

}  // namespace
