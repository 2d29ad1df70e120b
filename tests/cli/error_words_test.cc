// One cause, one message: whichever subcommand meets a missing file or a
// folder where a file belongs, it says "zorvez: PATH: reason" in the same
// words and exits with 2.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "../support/test_support.h"
#include "cli_harness.h"

namespace {

TEST(ErrorWords, EverySubcommandNamesTheSameCauseAlike) {
  zor_test::ScratchDirectory scratch;
  const std::string xml = (scratch / "a.xml").string(), csv = (scratch / "m.csv").string();
  zor_test::WriteFile(xml, "<D/>");
  zor_test::WriteFile(csv, "");
  const std::string page = (scratch / "page.html").string();
  const std::string folder = scratch.path().string();
  const struct Cause {
    std::string path;
    std::string reason;
  } causes[] = {{(scratch / "absent.csv").string(), "no such file"},
                {folder, "is a directory, not a file"}};
  for (const Cause& cause : causes) {
    const std::vector<std::vector<std::string>> commands = {
        {"check", cause.path, xml, csv},
        {"check", xml, xml, cause.path},
        {"check", "--format", "jsonl", xml, cause.path, csv},
        {"explore", "-o", page, cause.path, xml, csv},
        {"explore", "-o", page, xml, xml, cause.path},
        {"merge", cause.path, csv},
        {"merge", "--dry-run", csv, cause.path},
    };
    for (const std::vector<std::string>& command : commands) {
      zor_test::CliRun run = zor_test::RunCli(command);
      EXPECT_EQ(run.status, 2) << command[0] << " " << cause.path;
      EXPECT_EQ(run.err.substr(0, run.err.find('\n') + 1),
                "zorvez: " + cause.path + ": " + cause.reason + "\n")
          << command[0] << "\n"
          << run.err;
    }
  }
  zor_test::CliRun into_folder = zor_test::RunCli({"explore", "-o", folder, xml, xml, csv});
  EXPECT_EQ(into_folder.err, "zorvez: " + folder + ": is a directory, not a file\n");
  EXPECT_EQ(into_folder.status, 2);
}

}  // namespace
