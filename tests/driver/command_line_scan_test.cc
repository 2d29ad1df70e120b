// The option scan records what the command line asks for and the console
// lines it owes, in the order they fall due; acting on them is left to the
// caller (the console bytes themselves are checked end to end).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "driver/command_line.h"

namespace {

// The lines owed, with "<usage>" standing for the usage screen's lines.
std::vector<std::string> Expanded(const std::vector<std::string>& owed) {
  std::vector<std::string> lines;
  for (const std::string& line : owed) {
    if (line != "<usage>") lines.push_back(line);
    if (line == "<usage>") lines.insert(lines.end(), UsageLines().begin(), UsageLines().end());
  }
  return lines;
}

struct ScanCase {
  const char* name;
  std::vector<std::string> arguments;
  CommandRequest request;
  std::vector<std::string> owed;  // after the environment line
};

TEST(CommandLineScan, RecordsTheRequestAndTheLinesOwedInOrder) {
  const ScanCase cases[] = {
      {"-h ends the scan", {"-t", "-h", "-v5"}, CommandRequest::kUsage, {"Dev trace on."}},
      {"-c with its two names ends the scan",
       {"-c", "in.xml", "out.xml", "-t"},
       CommandRequest::kConvert,
       {}},
      {"-c without them owes the usage screen",
       {"-c", "in.xml"},
       CommandRequest::kCompare,
       {"<usage>"}},
      {"an option short of its names owes the usage screen before later switches",
       {"-i", "-t"},
       CommandRequest::kCompare,
       {"<usage>", "Dev trace on."}},
      {"-u and -w come first wherever they stand",
       {"-old", "-w", "-u"},
       CommandRequest::kCompare,
       {"Forcing NT path convention.", "Forcing UNIX path convention.", "Using old V5 format."}},
  };
  for (const ScanCase& scan : cases) {
    std::vector<std::string> words{"tool"};
    words.insert(words.end(), scan.arguments.begin(), scan.arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    CommandLine line = ScanCommandLine(static_cast<int>(argv.size()), argv.data(), "/root");
    EXPECT_EQ(line.request, scan.request) << scan.name;
    std::vector<std::string> owed = {"\nZODODEV_DIRECTORYPATH=/root"};
    owed.insert(owed.end(), scan.owed.begin(), scan.owed.end());
    EXPECT_EQ(line.console_lines, Expanded(owed)) << scan.name;
  }
}

TEST(CommandLineScan, RecordsTheConversionAndTheLocationsItForms) {
  std::string words[] = {"tool", "-w", "-c", "in.xml", "out.xml"};
  char* argv[] = {words[0].data(), words[1].data(), words[2].data(), words[3].data(),
                  words[4].data()};
  CommandLine line = ScanCommandLine(5, argv, "C:\\Dict");
  EXPECT_EQ(line.convert_input.str(), "in.xml");
  EXPECT_EQ(line.convert_output.str(), "out.xml");
  EXPECT_EQ(line.settings.source_xml_path.str(), "C:\\Dict\\Dictionary\\V4_Exported_XML\\");
  EXPECT_FALSE(line.settings.inputs_given);
}

}  // namespace
