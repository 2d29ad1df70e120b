// The command line as the user meets it: the environment line, the path
// convention, the option scan with its console lines and usage screen, the
// input checks and the decision whether a comparison follows.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e_support.h"

namespace fs = std::filesystem;

namespace {

// The usage screen exactly as printed, leading and trailing blanks included.
const std::string kUsageScreen =
    "\n"
    "* Usage: ZORVezIrudeduzazAduzizorav -i xmlfile1.xml xmlfile2.xml -m mappingtable.csv -o "
    "outfilename\n"
    "                 compares xmlfile1.xml against xmlfile2.xml. xmlfile2.xml should always be V5 "
    "XML.\n"
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
    "    Red:    Migration file has a class that is not in mapping table. Proposed mapping is "
    "produced.\n"
    "    Blue:   Migration file has a class that is mapped to a non-existent V5 class. Proposed "
    "XML is produced.\n"
    "    Orange: Migration file has a class that was specified as \"No Mapping.\" No action "
    "taken.\n"
    "    Purple: There is a given reason why the class couldn't have proposed XML/CSV generated "
    "for it.\n"
    "    Green:  Migration XML file, mapping table and V5 XML are all in agreement. No action "
    "taken.\n"
    "\n";

const std::string kChecking = "Checking input files...\n";

std::string CouldNotOpen(const std::string& what, const std::string& path) {
  return what + ": Could not open " + path + ". Check name and location of file.\n";
}

// A scratch dictionary root that becomes ZODODEV_DIRECTORYPATH.
class CommandLine : public testing::Test {
 protected:
  // The environment line the tool starts with, then `lines`.
  std::string Head(const std::string& lines = "") const {
    return "\nZODODEV_DIRECTORYPATH=" + root_.string() + "\n" + lines;
  }
  // The location of one dictionary folder as the tool forms it.
  std::string Folder(const std::string& folder, const std::string& separator = "/") const {
    return root_.string() + separator + "Dictionary" + separator + folder + separator;
  }
  // The three inputs not found, each a folder with the name typed appended.
  std::string NotFound(const std::string& separator = "/", const std::string& source = "",
                       const std::string& target = "", const std::string& mapping = "") const {
    return CouldNotOpen("V4 XML", Folder("V4_Exported_XML", separator) + source) +
           CouldNotOpen("V5 XML", Folder("V5_Exported_XML", separator) + target) +
           CouldNotOpen("Mapping table", Folder("MappingTable", separator) + mapping);
  }

  void MakeFolders(const std::vector<std::string>& folders) const {
    for (const std::string& folder : folders) fs::create_directories(root_ / "Dictionary" / folder);
  }

  // Three inputs that load: dictionaries without classes and a one-row table.
  void MakeInputs(const std::string& source, const std::string& target,
                  const std::string& mapping) const {
    e2e::MakeDictionaryFolders(root_);
    e2e::WriteFile(root_ / "Dictionary/V4_Exported_XML" / source, "<Dictionary Name=\"S\"/>\n");
    e2e::WriteFile(root_ / "Dictionary/V5_Exported_XML" / target, "<Dictionary Domain=\"D\"/>\n");
    e2e::WriteFile(root_ / "Dictionary/MappingTable" / mapping, "A,P,*,B,Q,,\n");
  }

  std::string Run(const std::vector<std::string>& arguments) const {
    e2e::ToolRun run = e2e::RunTool(arguments, root_.string());
    EXPECT_EQ(run.exit_status, 0);
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

  e2e::ScratchDirectory scratch_;
  const fs::path root_ = scratch_.path();
};

TEST_F(CommandLine, WithoutArgumentsTestsTheThreeDefaultFolders) {
  MakeFolders({"V4_Exported_XML", "MappingTable"});
  EXPECT_EQ(Run({}), Head(kChecking) + CouldNotOpen("V5 XML", Folder("V5_Exported_XML")));
  MakeFolders({"V5_Exported_XML"});
  EXPECT_EQ(Run({}), Head(kChecking));

  // An unset root reads as empty text: every path starts at the separator.
  e2e::ToolRun unset = e2e::RunTool({}, std::nullopt);
  EXPECT_EQ(unset.exit_status, 0);
  EXPECT_EQ(unset.output, "\nZODODEV_DIRECTORYPATH=\n" + kChecking +
                              CouldNotOpen("V4 XML", "/Dictionary/V4_Exported_XML/") +
                              CouldNotOpen("V5 XML", "/Dictionary/V5_Exported_XML/") +
                              CouldNotOpen("Mapping table", "/Dictionary/MappingTable/"));
}

TEST_F(CommandLine, HelpEndsTheScanButTheInputTestsStillRun) {
  e2e::MakeDictionaryFolders(root_);
  EXPECT_EQ(Run({"-h"}), Head(kUsageScreen));

  // Options before -h act; after it only the path convention (settled
  // before the scan) still counts, and the inputs stay the default folders.
  fs::remove_all(root_ / "Dictionary");
  EXPECT_EQ(
      Run({"-old", "-t", "-H", "-v5", "-i", "a.xml", "b.xml", "-w", "-c", "x", "y"}),
      Head("Forcing NT path convention.\nUsing old V5 format.\nDev trace on.\n" + kUsageScreen) +
          NotFound("\\"));
  EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
}

TEST_F(CommandLine, LastPathConventionWinsAndBothAreAnnouncedFirst) {
  EXPECT_EQ(Run({"-u", "-w"}),
            Head("Forcing UNIX path convention.\nForcing NT path convention.\n" + kChecking) +
                NotFound("\\"));
  // A convention word acts even where it stands as another option's argument.
  EXPECT_EQ(Run({"-t", "-W", "-m", "-U"}),
            Head("Forcing NT path convention.\nForcing UNIX path convention.\nDev trace on.\n" +
                 kChecking) +
                NotFound("/", "", "", "-U"));
}

TEST_F(CommandLine, OptionWithoutItsArgumentsShowsUsageAndTheScanGoesOn) {
  MakeInputs("s.xml", "t.xml", "map.csv");
  EXPECT_EQ(Run({"-i"}), Head(kUsageScreen + kChecking));
  // The lone name after -i is examined as an option in its turn.
  EXPECT_EQ(Run({"-i", "-T"}), Head(kUsageScreen + "Dev trace on.\n" + kChecking));
  EXPECT_EQ(Run({"-i", "s.xml", "t.xml", "-m", "map.csv", "-o"}), Head(kUsageScreen + kChecking));
  EXPECT_EQ(Run({"-o", "out", "-i", "s.xml", "t.xml", "-m"}), Head(kUsageScreen + kChecking));
  EXPECT_EQ(Run({"-c", "-old"}), Head(kUsageScreen + "Using old V5 format.\n" + kChecking));
  EXPECT_EQ(Run({"-t", "-c", "in.xml"}), Head("Dev trace on.\n" + kUsageScreen + kChecking));
  EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
  EXPECT_FALSE(fs::exists(root_ / "Dictionary/V5_Exported_XML/in.xml"));
}

TEST_F(CommandLine, SwitchesMatchWithoutRegardToCaseAndPrintEachTime) {
  e2e::MakeDictionaryFolders(root_);
  EXPECT_EQ(Run({"stray", "-OLD", "-v5", "words", "-Old", "-T", "-t", "-V5", "--old", "-tt"}),
            Head("Using old V5 format.\nV5/V5 comparison mode on.\nUsing old V5 format.\n"
                 "Dev trace on.\nDev trace on.\nV5/V5 comparison mode on.\n" +
                 kChecking));
}

TEST_F(CommandLine, MissingInputsAreNamedByTheirFullPathsAndNothingIsWritten) {
  e2e::MakeDictionaryFolders(root_);
  EXPECT_EQ(Run({"-i", "s.xml", "t.xml", "-m", "map.csv", "-o", "out"}),
            Head(kChecking) + NotFound("/", "s.xml", "t.xml", "map.csv"));
  // Names holding separators are appended as typed.
  EXPECT_EQ(Run({"-w", "-i", "sub/s.xml", "t.xml", "-m", "map.csv", "-o", "out"}),
            Head("Forcing NT path convention.\n" + kChecking) +
                NotFound("\\", "sub/s.xml", "t.xml", "map.csv"));
  // -i takes "-m" as its second name; the same pass then acts on it as -m.
  EXPECT_EQ(Run({"-i", "a", "-m", "m", "-o", "o"}),
            Head(kChecking) + NotFound("/", "a", "-m", "m"));
  EXPECT_EQ(OutputFiles(), std::vector<std::string>{});
}

// Complete runs over dictionaries without classes, reached through option
// scans that take a word meant for one option as another's argument.
TEST_F(CommandLine, OddlyFormedCommandsStillCompleteTheRun) {
  struct Row {
    std::vector<std::string> inputs, arguments;
    e2e::OutputNames outputs;
    std::string option_lines = "";
  };
  const Row rows[] = {
      // A second output name appends to the first.
      {{"s.xml", "t.xml", "map.csv"},
       {"-i", "s.xml", "t.xml", "-m", "map.csv", "-o", "out", "-o", "again"},
       {"out.htmlagain.html", "out.csvagain.csv", "out.xmlagain.xml"}},
      // "-m" read as the second input name still gives the mapping table.
      {{"a", "-m", "m"}, {"-i", "a", "-m", "m", "-o", "o"}, {"o.html", "o.csv", "o.xml"}},
      // Convert without its names shows the usage and does not stop the run.
      {{"s.xml", "t.xml", "map.csv"},
       {"-I", "s.xml", "t.xml", "-M", "map.csv", "-O", "out", "-c", "x"},
       {},
       kUsageScreen},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.arguments.back());
    fs::remove_all(root_ / "Dictionary");
    MakeInputs(row.inputs[0], row.inputs[1], row.inputs[2]);
    EXPECT_EQ(Run(row.arguments),
              e2e::CompleteRunConsole(root_.string(), 0, row.outputs, row.option_lines));
    EXPECT_EQ(OutputFiles(), (std::vector<std::string>{"DDL_Files/" + row.outputs.mapping,
                                                       "DDL_Files/" + row.outputs.ddl,
                                                       "Reports/" + row.outputs.report}));
  }
}

}  // namespace
