// zorvez merge as the user runs it: options, messages, exit statuses and
// what is left on disk, including when the run goes wrong.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../cli/cli_harness.h"
#include "../support/test_support.h"
#include "cli/zorvez.h"
#include "platform/file_reader.h"
#include "platform/file_replacement.h"
#include "platform/utf8_files.h"

namespace fs = std::filesystem;
using zor_test::ReadFile;
using zor_test::WriteFile;

namespace {

const std::string kTable =
    "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n"
    "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,EQT,\n"
    "Strainer,Pipe Fitting,*,,,*,\n"
    "Sump,Equipment,*,No Mapping,,*,EQT,\n";

const std::string kCompleted =
    "Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,PIP,\n"
    "Pump,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,\n";

const std::string kMerged =
    "Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n"
    "Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,EQT,\n"
    "Pump,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,\n"
    "Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,PIP,\n"
    "Sump,Equipment,*,No Mapping,,*,EQT,\n";

using CommandRun = zor_test::CliRun;

CommandRun Zorvez(const std::vector<std::string>& arguments) { return zor_test::RunCli(arguments); }

class MergeCommand : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(table_, kTable);
    WriteFile(completed_, kCompleted);
  }
  // The files of the folder, to see that nothing was left behind.
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_.path())) {
      names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  zor_test::ScratchDirectory folder_;
  const std::string table_ = (folder_ / "table.csv").string();
  const std::string completed_ = (folder_ / "done.csv").string();
};

TEST_F(MergeCommand, ReportsAndWritesAsAsked) {
  const std::string problems = "Sump,Equipment,*,SumpPit,Equipment,*,EQT,\n" + kCompleted +
                               "Strainer,Pipe Fitting,Mesh Size,,,,\n";
  const struct {
    std::vector<std::string> options;
    std::string completed;
    int status;
    std::string table;  // the table afterwards
    std::string err;    // a line the messages hold
    std::string out = "";
  } cases[] = {
      {{},
       kCompleted,
       0,
       kMerged,
       "zorvez: " + completed_ +
           ":1: completes the uncompleted class row "
           "'Strainer,Pipe Fitting,*,,,*,' (" +
           table_ + ":3)\n"},
      {{},
       problems,
       1,
       kTable,
       "zorvez: " + completed_ +
           ":1: conflicts with table line 4, "
           "'Sump,Equipment,*,No Mapping,,*,EQT,': a class row already in the table is never "
           "overridden (" +
           table_ + ":4)\n"},
      {{},
       problems,
       1,
       kTable,
       "zorvez: " + completed_ +
           ":4: column 4 (target class) is empty: the reader would find no "
           "target class\n"},
      {{"--partial"}, problems, 1, kMerged, "2 rows merged"},
      {{}, "\xEF\xBB\xBF" + kCompleted, 0, kMerged, "2 rows merged"},
      {{"--dry-run"},
       kCompleted,
       0,
       kTable,
       "dry run, nothing written",
       "--- " + table_ + "\n+++ " + table_ +
           "\n@@ -1,4 +1,5 @@\n"
           " Pump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n"
           " Pump,Equipment,Flow Rate,CentrifugalPump,RotatingEquipment,FlowRate,EQT,\n"
           "+Pump,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,\n"
           "-Strainer,Pipe Fitting,*,,,*,\n"
           "+Strainer,Pipe Fitting,*,YStrainer,PipeFitting,*,PIP,\n"
           " Sump,Equipment,*,No Mapping,,*,EQT,\n"},
      {{"merge"}, kCompleted, 2, kTable, "zorvez: merge: too many operands"},
      {{"--bogus"}, kCompleted, 2, kTable, "zorvez: merge: unknown option '--bogus'"},
      {{"--help"}, kCompleted, 0, kTable, "", "usage: zorvez merge [--source SOURCE.xml]"},
  };
  for (const auto& c : cases) {
    SetUp();
    WriteFile(completed_, c.completed);
    fs::remove(table_ + ".bak.1");
    std::vector<std::string> arguments{"merge"};
    arguments.insert(arguments.end(), c.options.begin(), c.options.end());
    arguments.insert(arguments.end(), {table_, completed_});
    CommandRun run = Zorvez(arguments);
    SCOPED_TRACE(testing::PrintToString(c.options) + "\n" + run.err);
    EXPECT_EQ(run.status, c.status);
    EXPECT_EQ(ReadFile(table_), c.table);
    EXPECT_NE(run.err.find(c.err), std::string::npos);
    EXPECT_TRUE(run.out.starts_with(c.out)) << run.out;
    // The file replaced is kept, and only then.
    EXPECT_EQ(fs::exists(table_ + ".bak.1"), c.table != kTable);
    if (c.table != kTable) {
      EXPECT_EQ(ReadFile(table_ + ".bak.1"), kTable);
    }
  }
}

TEST_F(MergeCommand, OutputElsewhereWithoutBackupAndUnreadableInputs) {
  const std::string out = (folder_ / "merged.csv").string();
  EXPECT_EQ(Zorvez({"merge", "-o", out, "--no-backup", table_, completed_}).status, 0);
  EXPECT_EQ(ReadFile(out), kMerged);
  EXPECT_EQ(ReadFile(table_), kTable);
  EXPECT_EQ(Files(), (std::vector<std::string>{"done.csv", "merged.csv", "table.csv"}));

  EXPECT_EQ(Zorvez({"merge", (folder_ / "none.csv").string(), completed_}).status, 2);
  CommandRun folder_as_completed = Zorvez({"merge", table_, folder_.path().string()});
  EXPECT_EQ(folder_as_completed.status, 2);
  EXPECT_NE(folder_as_completed.err.find(folder_.path().string() + ": is a directory, not a file"),
            std::string::npos);

  // The table reader stops at a NUL byte: rows put after it would be lost,
  // so the table cannot be used, and the summary says what became of the rows.
  WriteFile(table_, kTable + std::string("\0tail\n", 6));
  CommandRun nul = Zorvez({"merge", "--partial", table_, completed_});
  EXPECT_EQ(nul.status, 2);
  EXPECT_NE(nul.err.find("merge: 2 rows not merged: the table cannot be read past its NUL byte"),
            std::string::npos)
      << nul.err;
  EXPECT_NE(nul.err.find(table_ + ": holds a NUL byte at byte offset " +
                         std::to_string(kTable.size()) + " (line 5)"),
            std::string::npos)
      << nul.err;
  EXPECT_EQ(ReadFile(table_), kTable + std::string("\0tail\n", 6));
}

// A table saved as wide text is said to be that, not a NUL byte; a table
// merged into itself is nothing to merge, however it is spelled. Neither
// writes anything.
TEST_F(MergeCommand, WideTablesAndTheTableItself) {
  std::string utf16 = "\xFF\xFE";
  for (char c : kTable) utf16 += std::string{c, '\0'};
  struct Case {
    std::string table;
    std::vector<std::string> operands;
    int status;
    std::string err;
  } cases[] = {
      {utf16, {table_, completed_}, 2, table_ + ": is UTF-16 text (what spreadsheets save as"},
      {utf16, {table_, completed_}, 2, "merge: 2 rows not merged: the table is UTF-16 text"},
      {utf16.substr(2), {table_, completed_}, 2, "is UTF-16 text without a byte-order mark"},
      {kTable,
       {"--dry-run", table_, table_},
       0,
       "merge: " + table_ + " is the table " + table_ + " itself: nothing to merge"},
      {kTable, {table_, (folder_ / "." / "table.csv").string()}, 0, "nothing to merge"},
  };
  for (const Case& c : cases) {
    SetUp();
    WriteFile(table_, c.table);
    std::vector<std::string> arguments{"merge"};
    arguments.insert(arguments.end(), c.operands.begin(), c.operands.end());
    CommandRun run = Zorvez(arguments);
    SCOPED_TRACE(testing::PrintToString(arguments) + "\n" + run.err);
    EXPECT_EQ(run.status, c.status);
    EXPECT_NE(run.err.find(c.err), std::string::npos);
    EXPECT_EQ(run.err.find("NUL byte"), std::string::npos);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(table_), c.table);
    EXPECT_EQ(Files(), (std::vector<std::string>{"done.csv", "table.csv"}));
  }
}

// With the target dictionary, a new class row naming a class the proposed
// DDL will name otherwise is merged with lint's warning; one naming the
// DDL's name is merged without a word.
TEST_F(MergeCommand, WarnsOfNewClassesTheDdlNamesOtherwise) {
  const fs::path example = fs::path(ZOR_EXAMPLES_DIR) / "v4v5/Dictionary";
  const std::vector<std::string> dictionaries{
      "--source", (example / "V4_Exported_XML/plant_v4.xml").string(), "--target",
      (example / "V5_Exported_XML/plant_v5.xml").string()};
  for (const char* target : {"YStrainer", "Strainer"}) {
    SetUp();
    WriteFile(completed_, std::string("Strainer,Pipe Fitting,*,") + target + ",Valve,*,EQT,\n");
    std::vector<std::string> arguments{"merge", "--dry-run"};
    arguments.insert(arguments.end(), dictionaries.begin(), dictionaries.end());
    arguments.insert(arguments.end(), {table_, completed_});
    CommandRun run = Zorvez(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    bool warned =
        run.err.find(completed_ +
                     ":1: warning: the proposed DDL names the new class "
                     "'Strainer' after the source label, not 'YStrainer'") != std::string::npos;
    EXPECT_EQ(warned, std::string(target) == "YStrainer") << run.err;
    EXPECT_NE(run.err.find("1 row to merge (0 new class rows"), std::string::npos) << run.err;
  }
}

// A merge that cannot be written leaves the table as it was, and no
// temporary file behind.
TEST_F(MergeCommand, FailedWritesLeaveTheTableUntouched) {
  CommandRun under_a_file = Zorvez({"merge", "-o", table_ + "/merged.csv", table_, completed_});
  EXPECT_EQ(under_a_file.status, 2);
  EXPECT_NE(under_a_file.err.find("a part of the path is not a directory"), std::string::npos)
      << under_a_file.err;

#ifdef _WIN32
  GTEST_SKIP() << "a full disk is made with a file size limit in a forked process, which "
                  "Windows has neither of";
#else
  // A full disk, as far as this process is concerned: writing beyond the
  // size limit fails, for root as well.
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{static_cast<rlim_t>(kTable.size() / 2), static_cast<rlim_t>(kTable.size() / 2)};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(Zorvez({"merge", table_, completed_}).status);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << status;
  EXPECT_EQ(ReadFile(table_), kTable);
  EXPECT_EQ(Files(), (std::vector<std::string>{"done.csv", "table.csv"}));
#endif
}

// Content written as a stream, as suggest writes its records: several
// blocks, in pieces of every size, all of them or (on a full disk) none.
TEST_F(MergeCommand, StreamedReplacementWritesAllOrNothing) {
  std::string content;
  for (size_t i = 0; content.size() < 3 * 65536 + 17; ++i) content += std::to_string(i) + ",";
  auto write = [&](std::ostream& out) {
    for (size_t at = 0, piece = 1; at < content.size(); at += piece, piece = piece * 7 % 5003 + 1) {
      out << std::string_view(content).substr(at, piece);
    }
  };
  const std::string streamed = Utf8FromPath(folder_.path()) + "/streamed.csv";
  EXPECT_EQ(ReplaceFileWith(streamed, write, {false, {}}), "");
  EXPECT_EQ(ReadFile(PathFromUtf8(streamed.c_str())), content);
#ifndef _WIN32
  pid_t child = fork();
  if (child == 0) {
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{static_cast<rlim_t>(content.size() / 2), static_cast<rlim_t>(content.size() / 2)};
    setrlimit(RLIMIT_FSIZE, &limit);
    _exit(ReplaceFileWith(table_, write).find("cannot write") != std::string::npos ? 0 : 1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_EQ(ReadFile(table_), kTable);
#endif
  EXPECT_EQ(Files(), (std::vector<std::string>{"done.csv", "streamed.csv", "table.csv"}));
}

// Every file call of a replacement reaches the file by its UTF-8 name, on
// Windows through the UTF-16 interfaces: names beyond any ANSI code page,
// one with a character of two UTF-16 units.
TEST_F(MergeCommand, ReplacesAndReadsFilesOfAnyName) {
  std::vector<std::string> files{"done.csv", "table.csv"};
  for (const char* name : {"Zuordnung für Pumpen.csv", "Łódź Ωμέγα.csv", "辞書 🔧.csv"}) {
    const std::string path = Utf8FromPath(folder_.path()) + "/" + name;
    WriteFile(PathFromUtf8(path.c_str()), kTable);
    EXPECT_EQ(ReplaceFile(path, kMerged), "") << name;
    EXPECT_EQ(ReadFile(path, kNoSizeBound).bytes, kMerged) << name;
    EXPECT_EQ(ReadFile(BackupPath(path, 1), kNoSizeBound).bytes, kTable) << name;
    files.insert(files.end(), {name, BackupPath(name, 1)});
  }
  std::sort(files.begin(), files.end());
  EXPECT_EQ(Files(), files) << "a name came out changed, or a temporary file was left behind";
}

// Each replacement keeps the file it replaces under the next number; no
// backup is ever overwritten, a gap in the numbers is not filled, and a
// name taken by another file is passed over.
TEST_F(MergeCommand, KeepsEveryVersionAsANumberedBackup) {
  const std::vector<std::string> versions{"one\n", "two\n", "three\n", "four\n"};
  WriteFile(table_, versions[0]);
  std::string kept;
  ASSERT_EQ(ReplaceFile(table_, versions[1], {true, {}, &kept}), "");
  EXPECT_EQ(kept, BackupPath(table_, 1));
  ASSERT_EQ(ReplaceFile(table_, versions[2]), "");
  fs::remove(BackupPath(table_, 1));
  WriteFile(BackupPath(table_, 4) + "", "someone else's\n");
  ASSERT_EQ(ReplaceFile(table_, versions[3], {true, {}, &kept}), "");
  EXPECT_EQ(kept, BackupPath(table_, 5));
  EXPECT_EQ(ReadFile(table_), versions[3]);
  EXPECT_FALSE(fs::exists(BackupPath(table_, 1)));
  EXPECT_EQ(ReadFile(BackupPath(table_, 2)), versions[1]);
  EXPECT_EQ(ReadFile(BackupPath(table_, 4)), "someone else's\n");
  EXPECT_EQ(ReadFile(BackupPath(table_, 5)), versions[2]);
  EXPECT_EQ(NextBackupNumber(table_), 6u);
}

// The process killed after each step of the replacement: the file is the
// old one or the new one, never a mix, and a backup only once taken.
TEST_F(MergeCommand, InterruptedReplacementLeavesOldOrNewFile) {
#ifdef _WIN32
  GTEST_SKIP() << "the process is killed in a forked child, and Windows cannot fork";
#else
  const ReplacementStep steps[] = {
      ReplacementStep::kTemporaryCreated, ReplacementStep::kContentWritten,
      ReplacementStep::kContentFlushed, ReplacementStep::kBackupKept, ReplacementStep::kRenamed};
  for (ReplacementStep stop_after : steps) {
    WriteFile(table_, kTable);
    fs::remove(table_ + ".bak.1");
    pid_t child = fork();
    if (child == 0) {
      ReplacementOptions options{true, [&](ReplacementStep done) {
                                   if (done == stop_after) _exit(9);
                                 }};
      ReplaceFile(table_, kMerged, options);
      _exit(0);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 9);
    bool renamed = stop_after == ReplacementStep::kRenamed;
    EXPECT_EQ(ReadFile(table_), renamed ? kMerged : kTable) << static_cast<int>(stop_after);
    bool backed_up = stop_after >= ReplacementStep::kBackupKept;
    EXPECT_EQ(fs::exists(table_ + ".bak.1"), backed_up);
    if (backed_up) {
      EXPECT_EQ(ReadFile(table_ + ".bak.1"), kTable);
    }
  }
#endif
}

// Rows that would merge but cannot be found, or would build on a table row
// the reader misreads, are refused with what is meant; an attribute row
// left uncompleted in the table is completed in place.
TEST_F(MergeCommand, RefusesRowsTheNextRunCannotFindAndCompletesAttributeRows) {
  const std::string table =
      "\xEF\xBB\xBFPump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,\n"
      "Valve,Equipment,*,Valve,Equipment,*,EQT\n"
      "\"Sump\",\"Equipment\",\"*\",No Mapping,,*,EQT,\n"
      "Heat Exchanger,Equipment,*,ShellTubeExchanger,Exchanger,*,EQT,\n"
      "Heat Exchanger,Equipment,Duty,,,,\n";
  const struct {
    std::string completed;
    std::string message;  // the refusal, or the in-place completion
  } cases[] = {
      {"Pump,Equipment,Speed,CentrifugalPump,RotatingEquipment,Speed,",
       "table line 1, '\xEF\xBB\xBFPump,Equipment,*,CentrifugalPump,RotatingEquipment,*,EQT,', "
       "is the class row of this class, but the reader cannot read it: it starts with a "
       "byte-order mark"},
      {"Valve,Equipment,Size,Valve,Equipment,Size,",
       "is misread: column 7 (domain) has no comma after it"},
      {"Sump,Equipment,Depth,No Mapping,,,", "column 1 (class) is in CSV quotes"},
      {"heat exchanger,Equipment,Duty,X,Y,Z,",
       "did you mean class 'Heat Exchanger' (parent 'Equipment')?"},
  };
  for (const auto& c : cases) {
    WriteFile(table_, table);
    WriteFile(completed_, c.completed + "\n");
    CommandRun run = Zorvez({"merge", table_, completed_});
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(ReadFile(table_), table);
  }
  // A badly mapped attribute row takes its completion, in place.
  WriteFile(completed_, "Heat Exchanger,Equipment,Duty,ShellTubeExchanger,Exchanger,Duty\n");
  CommandRun run = Zorvez({"merge", table_, completed_});
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find(":1: completes the uncompleted attribute row "
                         "'Heat Exchanger,Equipment,Duty,,,,'"),
            std::string::npos)
      << run.err;
  EXPECT_TRUE(ReadFile(table_).ends_with(
      "Heat Exchanger,Equipment,Duty,ShellTubeExchanger,Exchanger,Duty,\n"));
}

// With the dictionaries, a name the source lacks is refused with the name
// meant; a target name is refused only when a known one is that close.
TEST_F(MergeCommand, ChecksNamesAgainstTheDictionaries) {
  const std::string source = (folder_ / "source.xml").string();
  const std::string target = (folder_ / "target.xml").string();
  WriteFile(source,
            "<D><Class Name=\"Strainer\" Parent=\"Pipe Fitting\"><Simple Name=\"Mesh Size\"/>"
            "<Simple Name=\"0100\"/></Class></D>");
  WriteFile(target,
            "<D><Class Name=\"YStrainer\" Superclass=\"Valve\"><Simple Name=\"MeshSize\"/>"
            "</Class></D>");
  const struct {
    std::string row;
    std::string refusal;  // empty: merged
  } cases[] = {
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,", ""},
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,BrandNew,", ""},
      {"Strainer,Pipe Fitting,Mesh Size,NewClass,Valve,Anything,", ""},
      {"strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,MeshSize,",
       "column 1 (class): " + source + " has no class 'strainer': did you mean 'Strainer'?"},
      {"Strainer,Pipe Fitting,100,YStrainer,Valve,MeshSize,",
       "column 3 (attribute): class 'Strainer' of " + source + " has no attribute '100'"},
      {"Strainer,Pipe Fitting,Mesh Size,YStrainer,Valve,Mesh_size,",
       "has no attribute 'Mesh_size': did you mean 'MeshSize'?"},
      {"Strainer,Pipe Fitting,Mesh Size,Y Strainer,Valve,MeshSize,",
       "has no class 'Y Strainer': did you mean 'YStrainer'?"},
      {"Strainer,Pipe,Mesh Size,YStrainer,Valve,MeshSize,",
       "column 2 (parent): class 'Strainer' has the parent 'Pipe Fitting' in " + source},
  };
  for (const auto& c : cases) {
    WriteFile(table_, "Strainer,Pipe Fitting,*,YStrainer,Valve,*,EQT,\n");
    WriteFile(completed_, c.row + "\n");
    CommandRun run = Zorvez({"merge", "--source", source, "--target", target, table_, completed_});
    SCOPED_TRACE(c.row + "\n" + run.err);
    EXPECT_EQ(run.status, c.refusal.empty() ? 0 : 1);
    if (!c.refusal.empty()) {
      EXPECT_NE(run.err.find(c.refusal), std::string::npos);
    }
  }
  WriteFile(source, "<D><Class");
  CommandRun broken = Zorvez({"merge", "--source", source, table_, completed_});
  EXPECT_EQ(broken.status, 2);
  EXPECT_NE(broken.err.find(source + ":1:"), std::string::npos) << broken.err;
}

#ifndef _WIN32
// A table the user protected is left as it is; a table replaced keeps its
// owner, group and mode.
TEST_F(MergeCommand, RespectsTheTablesProtection) {
  struct stat before {
  }, after{};
  chmod(table_.c_str(), 0444);
  stat(table_.c_str(), &before);
  CommandRun run = Zorvez({"merge", table_, completed_});
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.err.find("protected against writing"), std::string::npos) << run.err;
  EXPECT_EQ(ReadFile(table_), kTable);
  stat(table_.c_str(), &after);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(Files(), (std::vector<std::string>{"done.csv", "table.csv"}));

  if (geteuid() != 0) GTEST_SKIP() << "giving the table to another user needs root";
  chmod(table_.c_str(), 0640);
  ASSERT_EQ(chown(table_.c_str(), 65534, 65534), 0);
  EXPECT_EQ(Zorvez({"merge", table_, completed_}).status, 0);
  EXPECT_EQ(ReadFile(table_), kMerged);
  stat(table_.c_str(), &after);
  EXPECT_EQ(after.st_uid, 65534u);
  EXPECT_EQ(after.st_gid, 65534u);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
}
#endif

}  // namespace
