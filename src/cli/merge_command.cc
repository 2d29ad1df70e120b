// zorvez merge: puts the completed rows of a proposed mapping file into the
// mapping table where the run's lookups find them.
#include <array>
#include <filesystem>
#include <string>
#include <tuple>

#include "cli/merge_dictionaries.h"
#include "cli/merge_messages.h"
#include "cli/option_parser.h"
#include "cli/subcommands.h"
#include "dictionary/mapping_reader.h"
#include "merge/table_merge.h"
#include "merge/unified_diff.h"
#include "platform/file_replacement.h"
#include "platform/utf8_files.h"

namespace {

constexpr std::array<OptionRule, 9> kOptions{{
    {"source", '\0', true},
    {"target", '\0', true},
    {"v5", '\0', false},
    {"old", '\0', false},
    {"partial", '\0', false},
    {"dry-run", '\0', false},
    {"output", 'o', true},
    {"no-backup", '\0', false},
    {"help", 'h', false},
}};

constexpr const char* kUsageLine =
    "usage: zorvez merge [--source SOURCE.xml] [--target TARGET.xml] [--v5] [--old]\n"
    "                    [--partial] [--dry-run] [-o OUT] [--no-backup] TABLE.csv COMPLETED.csv\n";

constexpr const char* kHelp =
    "\n"
    "Puts the completed rows of a proposed mapping file (the .csv a run writes, with\n"
    "its empty columns filled in) into the mapping table, where the lookups of the\n"
    "next run find them: a new class at the end of the table with its attribute rows\n"
    "after it, an attribute row at the end of its class's block. Every table line is\n"
    "kept; a class or attribute row left uncompleted in the table is completed in\n"
    "place.\n"
    "\n"
    "COMPLETED.csv may be saved by a spreadsheet or a CSV library: a byte-order mark\n"
    "is passed over, UTF-16 is read, CSV quotes are undone, empty columns that pad a\n"
    "row are dropped and the comma that ends a row is added. A file separated by\n"
    "semicolons or tabs is refused.\n"
    "\n"
    "Rows that the table would misread (an empty column, a last value without a comma\n"
    "after it) are refused, and rows that disagree with the table are conflicts; each\n"
    "is listed on standard error as COMPLETED.csv:LINE: reason. A merge is all or\n"
    "nothing unless --partial is given.\n"
    "\n"
    "Options:\n"
    "  --source SOURCE.xml\n"
    "                   refuse rows naming a class or attribute that the\n"
    "                   dictionary to migrate lacks, with the name meant\n"
    "  --target TARGET.xml\n"
    "                   refuse rows naming a target class or attribute that the\n"
    "                   target lacks when a target name is close to it, and warn\n"
    "                   of a new class the proposed DDL will name otherwise\n"
    "  --v5             the dictionaries are two V5 dictionaries, as in check\n"
    "  --old            read V5 dictionaries in the older attribute layout\n"
    "  --partial        merge the rows that can be merged and list the rest\n"
    "  --dry-run        write nothing; print the change as a unified diff\n"
    "  -o, --output OUT write the merged table to OUT instead of replacing TABLE.csv\n"
    "  --no-backup      do not keep the file replaced as FILE.bak.N (numbered from\n"
    "                   1, never overwritten)\n"
    "  -h, --help       print this help\n"
    "\n"
    "Exit status: 0 every row merged or already present, 1 rows refused or in\n"
    "conflict, 2 usage error or a file that cannot be read or written (the table is\n"
    "then left as it was, as is a table protected against writing).\n";

struct MergeOptions {
  std::string table_path;
  std::string completed_path;
  std::string destination;
  bool output_given = false;
  bool partial = false;
  bool dry_run = false;
  bool keep_backup = true;
  std::string source_path;  // empty when not given
  std::string target_path;
  bool v5v5 = false;
  bool old_format = false;
};

MergeOptions ReadOptions(const ParsedArguments& parsed) {
  RequireOperands(parsed, 2, "TABLE.csv COMPLETED.csv");
  MergeOptions options;
  options.table_path = parsed.Operands()[0];
  options.completed_path = parsed.Operands()[1];
  options.output_given = parsed.Has("output");
  options.destination = parsed.Value("output", options.table_path);
  if (options.destination.empty()) throw UsageError("option --output needs a file name");
  options.partial = parsed.Has("partial");
  options.dry_run = parsed.Has("dry-run");
  options.keep_backup = !parsed.Has("no-backup");
  options.source_path = parsed.Value("source", "");
  options.target_path = parsed.Value("target", "");
  if ((parsed.Has("source") && options.source_path.empty()) ||
      (parsed.Has("target") && options.target_path.empty())) {
    throw UsageError("options --source and --target need a file name");
  }
  options.v5v5 = parsed.Has("v5");
  options.old_format = parsed.Has("old");
  return options;
}

bool ReadInput(CliStreams& io, const std::string& path, std::string& content) {
  FileRead read = ReadTableFile(path);
  if (!read.ok()) ReportError(io, ReadProblem(path, read));
  content = std::move(read.bytes);
  return read.ok();
}

// Writes or shows the merged table; kExitTrouble when it cannot be written.
int Deliver(CliStreams& io, const MergeOptions& options, const TableMerge& merge,
            MergeWriting& writing) {
  bool go_ahead = options.partial || !merge.Plan().HasProblems();
  if (!merge.TableProblem().empty() || !go_ahead) {
    writing = MergeWriting::kHeldBack;
  } else if (options.dry_run) {
    writing = MergeWriting::kDryRun;
    io.out << UnifiedDiff(merge.TableLines(), merge.Lines(options.partial), options.table_path,
                          options.destination);
  } else if (!merge.Changes(options.partial) && !options.output_given) {
    writing = MergeWriting::kUnchanged;
  } else {
    std::string failure =
        ReplaceFile(options.destination, merge.Pieces(options.partial), {options.keep_backup, {}});
    if (!failure.empty()) {
      ReportError(io, failure + "; " + options.table_path + " is left as it was");
      return kExitTrouble;
    }
    writing = MergeWriting::kWritten;
  }
  return kExitClean;
}

// A table merged into itself holds every row already: said at once, rather
// than as the conflicts its rows in a spreadsheet's form would seem to be.
bool SameFile(const std::string& a, const std::string& b) {
  std::error_code error;
  return std::filesystem::equivalent(PathFromUtf8(a.c_str()), PathFromUtf8(b.c_str()), error);
}

int Merge(CliStreams& io, const MergeOptions& options) {
  if (SameFile(options.table_path, options.completed_path)) {
    ReportError(io, "merge: " + options.completed_path + " is the table " + options.table_path +
                        " itself: nothing to merge; nothing written");
    return kExitClean;
  }
  std::string table, completed;
  if (!ReadInput(io, options.table_path, table) ||
      !ReadInput(io, options.completed_path, completed)) {
    return kExitTrouble;
  }
  DictionaryNames source, target;
  for (auto [path, is_source, names] : {std::tuple{&options.source_path, true, &source},
                                        std::tuple{&options.target_path, false, &target}}) {
    if (!path->empty() &&
        !LoadDictionaryNames(*path, is_source, options.v5v5, options.old_format, io, *names)) {
      return kExitTrouble;
    }
  }
  TableMerge::NameCheck check_names;
  if (!options.source_path.empty() || !options.target_path.empty()) {
    check_names = [&](const CompletedRow& row) {
      return CheckRowNames(row, options.source_path.empty() ? nullptr : &source,
                           options.source_path, options.target_path.empty() ? nullptr : &target,
                           options.target_path);
    };
  }
  TableMerge merge(std::move(table), completed, check_names);
  if (!merge.CompletedProblem().empty()) {
    ReportError(io, options.completed_path + ": " + merge.CompletedProblem() + "; nothing merged");
    return kExitTrouble;
  }
  ReportCsvReading(io, merge, options.completed_path);
  ReportRowProblems(io, merge, options.table_path, options.completed_path);
  if (!options.target_path.empty() && !options.v5v5) {
    ReportNewClassNames(io, merge, target, options.completed_path);
  }
  MergeWriting writing = MergeWriting::kUnchanged;
  if (Deliver(io, options, merge, writing) != kExitClean) return kExitTrouble;
  ReportSummary(io, merge, options.partial, writing, options.destination);
  // A table that cannot be read to its end is an input that cannot be used.
  if (!merge.TableProblem().empty()) return kExitTrouble;
  return merge.Plan().HasProblems() ? kExitFindings : kExitClean;
}

}  // namespace

int RunMergeCommand(std::span<const std::string> arguments, CliStreams& io) {
  MergeOptions options;
  try {
    ParsedArguments parsed = ParseArguments(arguments, kOptions);
    if (parsed.Has("help")) {
      io.out << kUsageLine << kHelp;
      return kExitClean;
    }
    options = ReadOptions(parsed);
  } catch (const UsageError& error) {
    ReportError(io, std::string("merge: ") + error.what());
    io.err << kUsageLine << "Run 'zorvez merge --help' for the options.\n";
    return kExitTrouble;
  }
  return Merge(io, options);
}
