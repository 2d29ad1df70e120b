// Hostile inputs: whatever the three input files hold, the tool ends with
// status 0, prints its summary and writes its three files as for any other
// input. An input it cannot use counts as absent: a dictionary that does not
// load is a null document, a table that cannot be read is empty text. It
// reads nothing but the files it was given, and its memory stays bounded.

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

enum class Input { kSource, kTarget, kTable };

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
const std::string kGreenLine =
    "<font color=\"#007200\"><a name=\"PMP\"></a>Pump (PMP)</font> valid in mapping table";
const std::string kPumpLink = "<a href=\"#PMP\">Pump (PMP)</a><br>\n";
// Pump when the table has no row for it.
const std::string kPumpRedLines =
    "<b><font color=\"#FF0000\"><a name=\"PMP\"></a>Pump (PMP) not found in mapping table!"
    "</font></b> Provide new class in mapping table.<br>\n"
    "&nbsp;&nbsp;&nbsp;<font color=\"#CC0000\">Flow (FLW)</font> is an attribute under Pump.<br>\n";
const std::string kPumpRows = "Pump,Equipment,*,,,*,\nPump,Equipment,Flow,,,,\n";

std::string Repeat(const std::string& piece, size_t times) {
  std::string text;
  text.reserve(piece.size() * times);
  for (size_t i = 0; i < times; ++i) text += piece;
  return text;
}

// UTF-16LE without a byte-order mark, from UTF-8 of one- and two-byte
// characters.
std::string Utf16Le(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    unsigned code = static_cast<unsigned char>(utf8[i]);
    if (code >= 0xC0) code = ((code & 0x1F) << 6) | (static_cast<unsigned char>(utf8[++i]) & 0x3F);
    out += static_cast<char>(code & 0xFF);
    out += static_cast<char>(code >> 8);
  }
  return out;
}

class HostileInputs : public testing::Test {
 protected:
  void SetUp() override {
    scratch_ = e2e::MakeScratchDirectory();
    root_ = scratch_ / "root";
    for (const char* folder :
         {"V4_Exported_XML", "V5_Exported_XML", "MappingTable", "DDL_Files", "Reports"}) {
      fs::create_directories(root_ / "Dictionary" / folder);
    }
    Put(kSource, kTarget, kTable);
  }
  void TearDown() override { fs::remove_all(scratch_); }

  fs::path PathOf(Input input) const {
    switch (input) {
      case Input::kSource: return root_ / "Dictionary/V4_Exported_XML/source.xml";
      case Input::kTarget: return root_ / "Dictionary/V5_Exported_XML/target.xml";
      default: return root_ / "Dictionary/MappingTable/table.csv";
    }
  }
  void Put(const std::string& source, const std::string& target, const std::string& table) {
    e2e::WriteFile(PathOf(Input::kSource), source);
    e2e::WriteFile(PathOf(Input::kTarget), target);
    e2e::WriteFile(PathOf(Input::kTable), table);
  }
  static std::vector<std::string> Arguments() {
    return {"-i", "source.xml", "target.xml", "-m", "table.csv", "-o", "out"};
  }
  std::string Run() const {
    e2e::ToolRun run = e2e::RunTool(Arguments(), root_.string());
    EXPECT_EQ(run.exitStatus, 0);
    return run.output;
  }
  // The tool's peak resident memory in MiB; its console goes nowhere.
  long PeakMemoryMiB() const {
    pid_t child = fork();
    if (child == 0) {
      int null_device = open("/dev/null", O_WRONLY);
      dup2(null_device, STDOUT_FILENO);
      setenv("ZODODEV_DIRECTORYPATH", root_.c_str(), 1);
      std::vector<std::string> arguments = Arguments();
      std::vector<char*> argv{const_cast<char*>(ZOR_TOOL_PATH)};
      for (std::string& argument : arguments) argv.push_back(argument.data());
      argv.push_back(nullptr);
      execv(ZOR_TOOL_PATH, argv.data());
      _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    return usage.ru_maxrss / 1024;
  }

  std::string Output(const std::string& below_dictionary) const {
    return e2e::ReadFile(root_ / "Dictionary" / below_dictionary);
  }
  std::string Report() const { return Output("Reports/out.html"); }
  std::string Ddl() const { return Output("DDL_Files/out.xml"); }
  std::string Csv() const { return Output("DDL_Files/out.csv"); }

  // The console of a complete run over `classes` classes.
  std::string Console(long classes) const {
    std::string root = root_.string();
    std::string total = std::to_string(classes);
    std::string progress = "Looking at class #:          " + std::string(total.size(), ' ');
    for (long i = 1; i <= classes; ++i) {
      std::string number = std::to_string(i);
      progress += std::string(number.size(), '\b') + number;
    }
    return "\nZODODEV_DIRECTORYPATH=" + root +
           "\nChecking input files...\nExamining input files (may take a few minutes)...\n"
           "Total V4 classes to examine: " + total + "\n" + progress + "\nTask complete.\n" +
           "Comparator results reported in " + root + "/Dictionary/Reports/out.html\n" +
           "New mapping saved in " + root + "/Dictionary/DDL_Files/out.csv\n" +
           "V5 XML DDL saved in " + root + "/Dictionary/DDL_Files/out.xml\n";
  }
  std::string ExpectedReport(const std::string& links, const std::string& body, long total,
                             long suggested, long unmapped) const {
    std::string source = PathOf(Input::kSource).string();
    return "<HTML>\n<HEAD>\n<TITLE>XML Comparator Report for " + source +
           "</TITLE>\n</HEAD>\n<BODY>\n<font size=+2>XML Comparator Report for " + source +
           "</font><br>\n<br>\n"
           "<a href=\"#comparatortotals\"><b>Comparator Totals</b></a><br>\n"
           "<a href=\"#unmappedv4classes\"><b>Requested Unmapped V4 Classes</b></a><br>\n"
           "<a href=\"#wrongdomain\"><b>V4 Classes From Other Domains</b></a><br>\n<br>\n" +
           links + "<br>\n" + body +
           "<br><br>\n<font size=\"+1\"><a name=\"comparatortotals\"></a>XML Comparator "
           "Totals</font><br>\nTotal number of classes: " + std::to_string(total) +
           "<br>\nNew classes suggested: " + std::to_string(suggested) +
           "<br>\nV4 classes requested unmapped: " + std::to_string(unmapped) +
           "<br>\n<br>\n<br>\n<font size=\"+1\"><a name=\"unmappedv4classes\"></a>Requested "
           "Unmapped V4 Classes</font><br>\n<br>\n<font size=\"+1\"><a name=\"wrongdomain\"></a>"
           "V4 Classes From Other Domains</font><br>\n</BODY></HTML>\n";
  }
  static std::string ExpectedDdl(const std::string& name, const std::string& domain,
                                 const std::string& classes = "") {
    return "<?xml version=\"1.0\" ?>\n<Package\n     Name=\"" + name + "\" Domain=\"" + domain +
           "\" xmlns=\"x-schema:V5classSchema.xml\">\n\n" + classes + "</Package>\n";
  }

  // The run with one input that cannot be used and the other two as set up:
  // no source document leaves no class; no target document leaves Pump,
  // found in the table, without any line; an empty table sends Pump to red.
  void ExpectRunWithout(Input unusable) {
    EXPECT_EQ(Run(), Console(unusable == Input::kSource ? 0 : 1));
    switch (unusable) {
      case Input::kSource:
        EXPECT_EQ(Report(), ExpectedReport("", "", 0, 0, 0));
        EXPECT_EQ(Ddl(), ExpectedDdl("", "EQT"));
        EXPECT_EQ(Csv(), "");
        break;
      case Input::kTarget:
        EXPECT_EQ(Report(), ExpectedReport(kPumpLink, "", 1, 0, 0));
        EXPECT_EQ(Ddl(), ExpectedDdl("Plant", ""));
        EXPECT_EQ(Csv(), "");
        break;
      case Input::kTable:
        EXPECT_EQ(Report(), ExpectedReport(kPumpLink, kPumpRedLines, 1, 1, 0));
        EXPECT_EQ(Ddl(), ExpectedDdl("Plant", "EQT"));
        EXPECT_EQ(Csv(), kPumpRows);
        break;
    }
  }
  // Spoils each of `inputs` in turn, the others left as set up.
  void ExpectEachUnusable(const std::vector<Input>& inputs,
                          const std::function<void(const fs::path&)>& spoil) {
    for (Input input : inputs) {
      SCOPED_TRACE(PathOf(input).filename().string());
      Put(kSource, kTarget, kTable);
      spoil(PathOf(input));
      ExpectRunWithout(input);
      fs::remove_all(PathOf(input));
    }
  }
  // The outputs of the run as set up, for comparison with a spoiled run.
  std::vector<std::string> GreenOutputs() {
    Put(kSource, kTarget, kTable);
    std::string console = Run();
    EXPECT_NE(Report().find(kGreenLine), std::string::npos);
    return {console, Report(), Ddl(), Csv()};
  }
  std::vector<std::string> Outputs() { return {Run(), Report(), Ddl(), Csv()}; }

  const std::vector<Input> kAllInputs{Input::kSource, Input::kTarget, Input::kTable};
  fs::path scratch_;
  fs::path root_;
};

// Empty files: an empty XML file holds no element, so it is a null
// document; an empty table is the single line end the run appends.
TEST_F(HostileInputs, EmptyFilesCountAsAbsent) {
  ExpectEachUnusable(kAllInputs, [](const fs::path& path) { e2e::WriteFile(path, ""); });
}

// A directory passes the existence test; reading it fails at once, so a
// dictionary does not load and the table is empty.
TEST_F(HostileInputs, DirectoryWhereAnInputIsExpectedCountsAsAbsent) {
  ExpectEachUnusable(kAllInputs, [](const fs::path& path) {
    fs::remove(path);
    fs::create_directory(path);
    e2e::WriteFile(path / "inside.xml", kSource);
  });
}

// Random bytes are no XML; as a table they are rows that name no class.
// 70,000 bytes take the table reader past its first read.
TEST_F(HostileInputs, BinaryGarbageCountsAsAbsent) {
  std::mt19937 generator(20240611);
  std::string garbage(70000, '\0');
  for (char& byte : garbage) byte = static_cast<char>(generator());
  ExpectEachUnusable(kAllInputs, [&](const fs::path& path) { e2e::WriteFile(path, garbage); });
}

// A NUL byte is not allowed in XML, so the dictionary does not load. The
// table text ends at its first NUL: rows after it are never read.
TEST_F(HostileInputs, NulBytesEndTheTableAndBreakTheXml) {
  ExpectEachUnusable({Input::kSource, Input::kTarget}, [](const fs::path& path) {
    std::string text = e2e::ReadFile(path);
    e2e::WriteFile(path, text.insert(text.find("<Class"), 1, '\0'));
  });
  ExpectEachUnusable({Input::kTable}, [](const fs::path& path) {
    e2e::WriteFile(path, "Valve,Equipment,*,Valve,Equipment,*,EQT\n" + std::string(1, '\0') + kTable);
  });
  std::vector<std::string> green = GreenOutputs();
  e2e::WriteFile(PathOf(Input::kTable), kTable + std::string(1, '\0') + "Pump,Equipment,*,No Mapping\n");
  EXPECT_EQ(Outputs(), green);
}

// Bytes that are not UTF-8 make the parser fail: the dictionary is a null
// document and the run writes the heads and ends of its files.
TEST_F(HostileInputs, InvalidUtf8InNamesLeavesNullDocuments) {
  ExpectEachUnusable({Input::kSource, Input::kTarget}, [](const fs::path& path) {
    std::string text = e2e::ReadFile(path);
    text.replace(text.find("Pump"), 4, "Pu\xFFmp");  // in the first class name
    e2e::WriteFile(path, text);
  });
}

// UTF-16 without a byte-order mark is recognised from its first character,
// with or without an encoding declaration, and read as UTF-8 text: the run
// is the same as over the UTF-8 files, non-ASCII names included.
TEST_F(HostileInputs, Utf16WithoutByteOrderMarkLoadsAsUtf8) {
  std::string source = e2e::ReplaceAll(kSource, "\"Pump\"", "\"P\xC3\xBCmpe\"");
  std::string table = e2e::ReplaceAll(kTable, "Pump,Equipment", "P\xC3\xBCmpe,Equipment");
  Put(source, kTarget, table);
  std::vector<std::string> utf8 = Outputs();
  EXPECT_NE(utf8[1].find("<a name=\"PMP\"></a>P\xC3\xBCmpe (PMP)</font> valid"), std::string::npos);
  const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n";
  for (const std::string& head : {declaration, std::string()}) {
    Put(Utf16Le(head + source), Utf16Le(head + kTarget), table);
    EXPECT_EQ(Outputs(), utf8);
  }
}

// Elements nested 100,000 deep: no part of the program recurses over the
// tree, and a class is found at any depth.
TEST_F(HostileInputs, DeepNestingIsSearchedWithoutRecursion) {
  std::vector<std::string> green = GreenOutputs();
  auto nest = [](const std::string& dictionary) {
    size_t body = dictionary.find('\n') + 1;
    size_t end = dictionary.rfind("</Dictionary>");
    return dictionary.substr(0, body) + Repeat("<Group>", 100000) +
           dictionary.substr(body, end - body) + Repeat("</Group>", 100000) + "</Dictionary>\n";
  };
  Put(nest(kSource), nest(kTarget), kTable);
  EXPECT_EQ(Outputs(), green);
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
  ExpectEachUnusable({Input::kSource, Input::kTarget},
                     [&](const fs::path& path) { e2e::WriteFile(path, laughs); });
  e2e::WriteFile(PathOf(Input::kSource), laughs);
  EXPECT_LT(PeakMemoryMiB(), 200);
}

// External entities and an external DTD are never read: a reference in
// content is skipped, one in an attribute value is an error (null
// document), and an entity that only the external DTD declares is dropped
// from the value. Each run writes exactly what it would without the
// outside file, whose content so appears nowhere.
TEST_F(HostileInputs, NothingOutsideTheGivenFilesIsRead) {
  const std::string secret = "SECRET-7F3A";
  e2e::WriteFile(scratch_ / "outside/secret.txt", secret);
  e2e::WriteFile(scratch_ / "outside/secret.dtd", "<!ENTITY x \"" + secret + "\">");
  std::string entity = "<!DOCTYPE Dictionary [<!ENTITY s SYSTEM \"file://" +
                       (scratch_ / "outside/secret.txt").string() + "\">]>\n";
  std::string dtd =
      "<!DOCTYPE Dictionary SYSTEM \"file://" + (scratch_ / "outside/secret.dtd").string() + "\">\n";
  std::vector<std::string> green = GreenOutputs();
  e2e::WriteFile(PathOf(Input::kSource), entity + e2e::ReplaceAll(kSource, "/>", ">&s;</Simple>"));
  EXPECT_EQ(Outputs(), green);
  e2e::WriteFile(PathOf(Input::kSource), dtd + e2e::ReplaceAll(kSource, "\"Pump\"", "\"&x;Pump\""));
  EXPECT_EQ(Outputs(), green);
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
  EXPECT_EQ(Report(),
            ExpectedReport("<a href=\"#PMP\">" + name + " (PMP)</a><br>\n",
                           "<b><font color=\"#FF0000\"><a name=\"PMP\"></a>" + escaped +
                               " (PMP) not found in mapping table!</font></b> Provide new class "
                               "in mapping table.<br>\n&nbsp;&nbsp;&nbsp;<font color=\"#CC0000\">" +
                               attribute + " (FLW)</font> is an attribute under " + escaped +
                               ".<br>\n",
                           1, 1, 0));
  EXPECT_EQ(Csv(), escaped + ",Equipment,*,,,*,\n" + escaped + ",Equipment," + attribute + ",,,,\n");
  EXPECT_EQ(Ddl(), ExpectedDdl("Plant", "EQT"));
}

// A table of one 50 MB line without a line end: read whole, with the line
// end the run appends. Its last field is the domain of a class proposed for
// the DDL, where it is written with that line end.
TEST_F(HostileInputs, FiftyMegabyteLineIsReadWhole) {
  const std::string row = "Pump,Equipment,*,Rotating,Rotating,*,";
  const size_t domain_size = 50 << 20;
  std::string table = row;
  table.resize(row.size() + domain_size, 'D');
  Put("<Dictionary Name=\"Plant\"><Class Name=\"Pump\" ShortName=\"PMP\" Parent=\"Equipment\"/>"
      "</Dictionary>",
      kTarget, table);
  EXPECT_EQ(Run(), Console(1));
  EXPECT_EQ(Report(), ExpectedReport(kPumpLink,
                                     "<b><font color=\"#0000FF\"><a name=\"PMP\"></a>Pump (PMP) not "
                                     "found in existing V5 XML!</font></b> Provide new class in V5 "
                                     "XML DDL.<br>\n",
                                     1, 1, 0));
  EXPECT_EQ(Csv(), "");
  // The package head and the class head up to the domain, the domain, and
  // after it the line end, the UUID and the ends.
  std::string head = ExpectedDdl("Plant", "EQT",
                                 "<Class \n     Name=\"Pump\"\n     DisplayName=\"Pump\"\n"
                                 "     Superclass=\"Rotating\"\n     Creator=\"\"\n     Domain=\"");
  head.resize(head.size() - std::string("</Package>\n").size());
  const std::string after_domain = "\n\"\n     UUID=\"";
  const std::string end = "\">\n\n</Class>\n\n\n</Package>\n";
  std::string ddl = Ddl();
  ASSERT_EQ(ddl.size(), head.size() + domain_size + after_domain.size() + 32 + end.size());
  EXPECT_EQ(ddl.compare(0, head.size(), head), 0);
  EXPECT_EQ(ddl.compare(head.size(), domain_size, table, row.size(), domain_size), 0);
  EXPECT_EQ(ddl.substr(head.size() + domain_size, after_domain.size()), after_domain);
  EXPECT_EQ(ddl.substr(ddl.size() - end.size()), end);
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
    std::string name = "C" + std::to_string(i);
    source += "<Class Name=\"" + name + "\" ShortName=\"" + name + "\" Parent=\"P\"/>\n";
    if (i % 2 == 0) table += name + ",P,*,No Mapping,,*,EQT\n";
  }
  Put(source + "</Dictionary>\n", kTarget, table);
  EXPECT_EQ(Run(), Console(100000));
  std::string report = Report();
  EXPECT_NE(report.find("Total number of classes: 100000<br>\nNew classes suggested: 50000<br>\n"
                        "V4 classes requested unmapped: 50000<br>\n"),
            std::string::npos);
  EXPECT_NE(report.find("<a name=\"C99998\"></a>C99998 (C99998)</font><font color=\"#999999\"> "
                        "was explicitly unmapped"),
            std::string::npos);
  std::string csv = Csv();
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 50000);
  const std::string last = "C99999,P,*,,,*,\n";
  ASSERT_GE(csv.size(), last.size());
  EXPECT_EQ(csv.substr(csv.size() - last.size()), last);
}

}  // namespace
