// The command line as the user meets it: the environment line, the path
// convention, the option scan with its console lines and usage screen, the
// input checks and the decision whether a comparison follows.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

// The usage screen exactly as printed, leading and trailing blanks included.
const std::string kUsageScreen =
    "\n"
    "* Usage: ZORVezIrudeduzazAduzizorav -i xmlfile1.xml xmlfile2.xml -m mappingtable.csv -o outfilename\n"
    "                 compares xmlfile1.xml against xmlfile2.xml. xmlfile2.xml should always be V5 XML.\n"
    "                       xmlfile1.xml is the XML file to migrate (typically V4 format).\n"
    "                       -m indicates mappingtable.csv is your mapping table.\n"
    "                       -o indicates outfilename is the output filename.\n"
    "\n"
    "         ZORVezIrudeduzazAduzizorav -h \n"
    "                 displays this screen.\n"
    "\n"
    "* Optional switches: \n"
    "         -old \n"
    "                 enforces an older V5 XML format.\n"
    "         -v5 \n"
    "                 enforces a V5/V5 comparison (use this if both XML files are V5). \n"
    "\n"
    "* Colors in output filename (.html): \n"
    "    Red:    Migration file has a class that is not in mapping table. Proposed mapping is produced.\n"
    "    Blue:   Migration file has a class that is mapped to a non-existent V5 class. Proposed XML is produced.\n"
    "    Orange: Migration file has a class that was specified as \"No Mapping.\" No action taken.\n"
    "    Purple: There is a given reason why the class couldn't have proposed XML/CSV generated for it.\n"
    "    Green:  Migration XML file, mapping table and V5 XML are all in agreement. No action taken.\n"
    "\n";

const std::string kChecking = "Checking input files...\n";

std::string EnvironmentLine(const std::string& root) {
  return "\nZODODEV_DIRECTORYPATH=" + root + "\n";
}

std::string CouldNotOpen(const std::string& what, const std::string& path) {
  return what + ": Could not open " + path + ". Check name and location of file.\n";
}

// A scratch dictionary root that becomes ZODODEV_DIRECTORYPATH.
class CommandLine : public testing::Test {
 protected:
  void SetUp() override {
    root_ = e2e::MakeScratchDirectory() / "root";
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_.parent_path()); }

  // The default location of one dictionary folder, as the tool forms it.
  std::string Folder(const std::string& folder, const std::string& separator = "/") const {
    return root_.string() + separator + "Dictionary" + separator + folder + separator;
  }

  void MakeFolders(const std::vector<std::string>& folders) const {
    for (const std::string& folder : folders) fs::create_directories(root_ / "Dictionary" / folder);
  }

  void MakeAllFolders() const {
    MakeFolders({"V4_Exported_XML", "V5_Exported_XML", "MappingTable", "DDL_Files", "Reports"});
  }

  // Three inputs that load: dictionaries without classes and a one-row table.
  void MakeInputs(const std::string& source, const std::string& target,
                  const std::string& mapping) const {
    MakeAllFolders();
    e2e::WriteFile(root_ / "Dictionary/V4_Exported_XML" / source, "<Dictionary Name=\"S\"/>\n");
    e2e::WriteFile(root_ / "Dictionary/V5_Exported_XML" / target, "<Dictionary Domain=\"D\"/>\n");
    e2e::WriteFile(root_ / "Dictionary/MappingTable" / mapping, "A,P,*,B,Q,,\n");
  }

  std::string MissingDefaultFolders(const std::string& separator) const {
    return CouldNotOpen("V4 XML", Folder("V4_Exported_XML", separator)) +
           CouldNotOpen("V5 XML", Folder("V5_Exported_XML", separator)) +
           CouldNotOpen("Mapping table", Folder("MappingTable", separator));
  }

  std::string Run(const std::vector<std::string>& arguments) const {
    e2e::ToolRun run = e2e::RunTool(arguments, root_.string());
    EXPECT_EQ(run.exitStatus, 0);
    return run.output;
  }

  // The files the run wrote into the two output folders, by name.
  std::vector<std::string> OutputFiles() const {
    std::vector<std::string> names;
    for (const char* folder : {"DDL_Files", "Reports"}) {
      fs::path directory = root_ / "Dictionary" / folder;
      if (!fs::is_directory(directory)) continue;
      for (const fs::directory_entry& entry : fs::directory_iterator(directory)) {
        names.push_back(std::string(folder) + "/" + entry.path().filename().string());
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path root_;
};

TEST_F(CommandLine, WithoutArgumentsTestsTheThreeDefaultFolders) {
  MakeFolders({"V4_Exported_XML", "MappingTable"});
  EXPECT_EQ(Run({}), EnvironmentLine(root_.string()) + kChecking +
                         CouldNotOpen("V5 XML", Folder("V5_Exported_XML")));

  MakeFolders({"V5_Exported_XML"});
  EXPECT_EQ(Run({}), EnvironmentLine(root_.string()) + kChecking);

  // An unset root reads as empty text: every path starts at the separator.
  e2e::ToolRun unset = e2e::RunTool({}, std::nullopt);
  EXPECT_EQ(unset.exitStatus, 0);
  EXPECT_EQ(unset.output,
            "\nZODODEV_DIRECTORYPATH=\n" + kChecking +
                CouldNotOpen("V4 XML", "/Dictionary/V4_Exported_XML/") +
                CouldNotOpen("V5 XML", "/Dictionary/V5_Exported_XML/") +
                CouldNotOpen("Mapping table", "/Dictionary/MappingTable/"));
}

TEST_F(CommandLine, HelpEndsTheScanButTheInputTestsStillRun) {
  MakeAllFolders();
  EXPECT_EQ(Run({"-h"}), EnvironmentLine(root_.string()) + kUsageScreen);

  // Options before -h act; after it only the path convention (settled
  // before the scan) still counts, and the inputs stay the default folders.
  fs::remove_all(root_ / "Dictionary");
  EXPECT_EQ(Run({"-old", "-t", "-H", "-v5", "-i", "a.xml", "b.xml", "-w", "-c", "x", "y"}),
            EnvironmentLine(root_.string()) + "Forcing NT path convention.\n" +
                "Using old V5 format.\nDev trace on.\n" + kUsageScreen +
                MissingDefaultFolders("\\"));
  EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
}

TEST_F(CommandLine, LastPathConventionWinsAndBothAreAnnouncedFirst) {
  EXPECT_EQ(Run({"-u", "-w"}), EnvironmentLine(root_.string()) +
                                   "Forcing UNIX path convention.\nForcing NT path convention.\n" +
                                   kChecking + MissingDefaultFolders("\\"));

  // A convention word acts even where it stands as another option's argument.
  EXPECT_EQ(Run({"-t", "-W", "-m", "-U"}),
            EnvironmentLine(root_.string()) +
                "Forcing NT path convention.\nForcing UNIX path convention.\nDev trace on.\n" +
                kChecking + CouldNotOpen("V4 XML", Folder("V4_Exported_XML")) +
                CouldNotOpen("V5 XML", Folder("V5_Exported_XML")) +
                CouldNotOpen("Mapping table", Folder("MappingTable") + "-U"));
}

TEST_F(CommandLine, OptionWithoutItsArgumentsShowsUsageAndTheScanGoesOn) {
  MakeInputs("s.xml", "t.xml", "map.csv");
  const std::string head = EnvironmentLine(root_.string());

  EXPECT_EQ(Run({"-i"}), head + kUsageScreen + kChecking);
  // The lone name after -i is examined as an option in its turn.
  EXPECT_EQ(Run({"-i", "-T"}), head + kUsageScreen + "Dev trace on.\n" + kChecking);
  EXPECT_EQ(Run({"-i", "s.xml", "t.xml", "-m", "map.csv", "-o"}), head + kUsageScreen + kChecking);
  EXPECT_EQ(Run({"-o", "out", "-i", "s.xml", "t.xml", "-m"}), head + kUsageScreen + kChecking);
  EXPECT_EQ(Run({"-c", "-old"}), head + kUsageScreen + "Using old V5 format.\n" + kChecking);
  EXPECT_EQ(Run({"-t", "-c", "in.xml"}), head + "Dev trace on.\n" + kUsageScreen + kChecking);
  EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(root_ / "Dictionary/V5_Exported_XML/in.xml"));
}

TEST_F(CommandLine, SwitchesMatchWithoutRegardToCaseAndPrintEachTime) {
  MakeAllFolders();
  EXPECT_EQ(Run({"stray", "-OLD", "-v5", "words", "-Old", "-T", "-t", "-V5", "--old", "-tt"}),
            EnvironmentLine(root_.string()) +
                "Using old V5 format.\nV5/V5 comparison mode on.\nUsing old V5 format.\n"
                "Dev trace on.\nDev trace on.\nV5/V5 comparison mode on.\n" +
                kChecking);
}

TEST_F(CommandLine, MissingInputsAreNamedByTheirFullPathsAndNothingIsWritten) {
  MakeAllFolders();
  const std::string head = EnvironmentLine(root_.string()) + kChecking;
  EXPECT_EQ(Run({"-i", "s.xml", "t.xml", "-m", "map.csv", "-o", "out"}),
            head + CouldNotOpen("V4 XML", Folder("V4_Exported_XML") + "s.xml") +
                CouldNotOpen("V5 XML", Folder("V5_Exported_XML") + "t.xml") +
                CouldNotOpen("Mapping table", Folder("MappingTable") + "map.csv"));

  // Names holding separators are appended as typed.
  EXPECT_EQ(Run({"-w", "-i", "sub/s.xml", "t.xml", "-m", "map.csv", "-o", "out"}),
            EnvironmentLine(root_.string()) + "Forcing NT path convention.\n" + kChecking +
                CouldNotOpen("V4 XML", Folder("V4_Exported_XML", "\\") + "sub/s.xml") +
                CouldNotOpen("V5 XML", Folder("V5_Exported_XML", "\\") + "t.xml") +
                CouldNotOpen("Mapping table", Folder("MappingTable", "\\") + "map.csv"));

  // -i takes "-m" as its second name; the same pass then acts on it as -m.
  EXPECT_EQ(Run({"-i", "a", "-m", "m", "-o", "o"}),
            head + CouldNotOpen("V4 XML", Folder("V4_Exported_XML") + "a") +
                CouldNotOpen("V5 XML", Folder("V5_Exported_XML") + "-m") +
                CouldNotOpen("Mapping table", Folder("MappingTable") + "m"));
  EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
}

// The console of a complete run over dictionaries without classes.
std::string EmptyRunConsole(const std::string& root, const std::string& options_lines,
                            const std::string& report, const std::string& mapping,
                            const std::string& ddl) {
  return EnvironmentLine(root) + options_lines + kChecking +
         "Examining input files (may take a few minutes)...\n"
         "Total V4 classes to examine: 0\n"
         "Looking at class #:           \n"
         "Task complete.\n"
         "Comparator results reported in " + report + "\n" +
         "New mapping saved in " + mapping + "\n" +
         "V5 XML DDL saved in " + ddl + "\n";
}

TEST_F(CommandLine, ASecondOutputNameAppendsToTheFirst) {
  MakeInputs("s.xml", "t.xml", "map.csv");
  EXPECT_EQ(Run({"-i", "s.xml", "t.xml", "-m", "map.csv", "-o", "out", "-o", "again"}),
            EmptyRunConsole(root_.string(), "", Folder("Reports") + "out.htmlagain.html",
                            Folder("DDL_Files") + "out.csvagain.csv",
                            Folder("DDL_Files") + "out.xmlagain.xml"));
  EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"DDL_Files/out.csvagain.csv",
                                                     "DDL_Files/out.xmlagain.xml",
                                                     "Reports/out.htmlagain.html"}));
}

TEST_F(CommandLine, MinusMReadAsSecondInputNameStillGivesTheMappingTable) {
  MakeInputs("a", "-m", "m");
  EXPECT_EQ(Run({"-i", "a", "-m", "m", "-o", "o"}),
            EmptyRunConsole(root_.string(), "", Folder("Reports") + "o.html",
                            Folder("DDL_Files") + "o.csv", Folder("DDL_Files") + "o.xml"));
  EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"DDL_Files/o.csv", "DDL_Files/o.xml",
                                                     "Reports/o.html"}));
}

TEST_F(CommandLine, ConvertWithoutItsNamesDoesNotStopACompleteRun) {
  MakeInputs("s.xml", "t.xml", "map.csv");
  EXPECT_EQ(Run({"-I", "s.xml", "t.xml", "-M", "map.csv", "-O", "out", "-c", "x"}),
            EmptyRunConsole(root_.string(), kUsageScreen, Folder("Reports") + "out.html",
                            Folder("DDL_Files") + "out.csv", Folder("DDL_Files") + "out.xml"));
  EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"DDL_Files/out.csv", "DDL_Files/out.xml",
                                                     "Reports/out.html"}));
}

}  // namespace
