#include "cli/merge_messages.h"

namespace {

std::string Counted(size_t count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

struct Counts {
  size_t new_class_rows = 0, new_block_attribute_rows = 0, into_block = 0, completed_in_place = 0,
         present = 0, refused = 0, conflicts = 0;
};

Counts CountRows(const TableMerge& merge) {
  Counts counts;
  const std::vector<RowResult>& results = merge.Plan().results;
  for (size_t i = 0; i < results.size(); ++i) {
    switch (results[i].outcome) {
      case RowOutcome::kNewBlock:
        (merge.Rows()[i].check.class_row ? counts.new_class_rows
                                         : counts.new_block_attribute_rows) += 1;
        break;
      case RowOutcome::kIntoBlock:
        counts.into_block += 1;
        break;
      case RowOutcome::kCompletedInPlace:
        counts.completed_in_place += 1;
        break;
      case RowOutcome::kAlreadyPresent:
        counts.present += 1;
        break;
      case RowOutcome::kRefused:
        counts.refused += 1;
        break;
      case RowOutcome::kConflict:
        counts.conflicts += 1;
        break;
    }
  }
  return counts;
}

std::string Outcome(MergeWriting writing, const std::string& destination, bool held_back_rows) {
  switch (writing) {
    case MergeWriting::kWritten:
      return "; merged table written to " + destination;
    case MergeWriting::kUnchanged:
      return "; nothing to change in " + destination;
    case MergeWriting::kHeldBack:
      return held_back_rows ? "; nothing written (all or nothing: --partial merges the rest)"
                            : "; nothing written";
    case MergeWriting::kDryRun:
      return "; dry run, nothing written";
  }
  return "";
}

}  // namespace

void ReportCsvReading(CliStreams& io, const TableMerge& merge, const std::string& completed_path) {
  const CompletedFile& file = merge.Completed();
  const CsvRepairs& repairs = file.Repairs();
  std::vector<std::string> done;
  if (file.Encoding() == TextEncoding::kUtf16) done.push_back("read as UTF-16");
  if (file.Encoding() == TextEncoding::kUtf8WithMark) done.push_back("byte-order mark passed over");
  if (repairs.unquoted > 0)
    done.push_back("CSV quotes undone in " + Counted(repairs.unquoted, "row", "rows"));
  if (repairs.unpadded > 0)
    done.push_back("empty columns that pad " + Counted(repairs.unpadded, "row", "rows") +
                   " dropped");
  if (repairs.closed > 0)
    done.push_back("the comma that ends a row added to " + Counted(repairs.closed, "row", "rows"));
  if (done.empty()) return;
  std::string line = completed_path + ": taken as a CSV tool writes it: ";
  for (size_t i = 0; i < done.size(); ++i) line += (i == 0 ? "" : ", ") + done[i];
  ReportError(io, line);
}

void ReportRowProblems(CliStreams& io, const TableMerge& merge, const std::string& table_path,
                       const std::string& completed_path) {
  if (!merge.TableProblem().empty()) {
    ReportError(io, table_path + ": " + merge.TableProblem());
    return;
  }
  const std::vector<RowResult>& results = merge.Plan().results;
  for (size_t i = 0; i < results.size(); ++i) {
    const RowResult& result = results[i];
    if (result.reason.empty()) continue;
    std::string where = completed_path + ":" + std::to_string(merge.Rows()[i].line_number) + ": ";
    std::string table_line =
        result.table_line ? " (" + table_path + ":" + std::to_string(result.table_line) + ")" : "";
    ReportError(io, where + result.reason + table_line);
  }
}

void ReportNewClassNames(CliStreams& io, const TableMerge& merge, const DictionaryNames& target,
                         const std::string& completed_path) {
  if (!merge.TableProblem().empty()) return;
  const std::vector<RowResult>& results = merge.Plan().results;
  for (size_t i = 0; i < results.size(); ++i) {
    RowOutcome outcome = results[i].outcome;
    if (outcome == RowOutcome::kRefused || outcome == RowOutcome::kConflict) continue;
    std::string warning = CheckNewClassName(merge.Rows()[i], target);
    if (warning.empty()) continue;
    ReportError(io, completed_path + ":" + std::to_string(merge.Rows()[i].line_number) +
                        ": warning: " + warning + " [ddl_name_differs]");
  }
}

void ReportSummary(CliStreams& io, const TableMerge& merge, bool partial, MergeWriting writing,
                   const std::string& destination) {
  if (!merge.TableProblem().empty()) {
    // No row can be placed in a table whose end is unknown.
    ReportError(io, "merge: " + Counted(merge.Rows().size(), "row", "rows") +
                        " not merged: " + merge.TableProblemBriefly() + "; nothing written");
    return;
  }
  Counts counts = CountRows(merge);
  const char* verb = writing == MergeWriting::kDryRun     ? "to merge"
                     : writing == MergeWriting::kHeldBack ? "mergeable"
                                                          : "merged";
  size_t rows = counts.new_class_rows + counts.new_block_attribute_rows + counts.into_block +
                counts.completed_in_place;
  std::string summary =
      "merge: " + Counted(rows, "row ", "rows ") + verb + " (" +
      Counted(counts.new_class_rows, "new class row", "new class rows") + " with " +
      Counted(counts.new_block_attribute_rows, "attribute row", "attribute rows") + ", " +
      Counted(counts.into_block, "attribute row", "attribute rows") + " into existing classes, " +
      Counted(counts.completed_in_place, "row", "rows") + " completed in place), " +
      std::to_string(counts.present) + " already present, " + std::to_string(counts.refused) +
      " refused, " + std::to_string(counts.conflicts) + " in conflict";
  bool held_back = !partial && counts.refused + counts.conflicts > 0 && rows > 0;
  ReportError(io, summary + Outcome(writing, destination, held_back));
}
