// What `zorvez merge` tells the user on standard error: every row not
// merged with its file, line and reason, the class rows completed in place,
// and a closing summary with the counts.
#ifndef ZOR_CLI_MERGE_MESSAGES_H_
#define ZOR_CLI_MERGE_MESSAGES_H_

#include <string>
#include <vector>

#include "merge/dictionary_names.h"
#include "merge/table_merge.h"
#include "platform/cli_streams.h"

// What happened to the merged table, for the summary.
enum class MergeWriting { kWritten, kUnchanged, kHeldBack, kDryRun };

// What was done to read the completed file as a CSV tool wrote it, if anything.
void ReportCsvReading(CliStreams& io, const TableMerge& merge, const std::string& completed_path);

void ReportRowProblems(CliStreams& io, const TableMerge& merge, const std::string& table_path,
                       const std::string& completed_path);

// A warning for each row taken (merged or already there) that names a new
// target class the proposed DDL will name otherwise, as zorvez lint warns.
void ReportNewClassNames(CliStreams& io, const TableMerge& merge, const DictionaryNames& target,
                         const std::string& completed_path);

void ReportSummary(CliStreams& io, const TableMerge& merge, bool partial, MergeWriting writing,
                   const std::string& destination);

#endif  // ZOR_CLI_MERGE_MESSAGES_H_
