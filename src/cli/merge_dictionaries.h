// The dictionaries `zorvez merge --source/--target` checks completed rows
// against: their class and attribute names as the next run's lookups
// compare them.
#ifndef ZOR_CLI_MERGE_DICTIONARIES_H_
#define ZOR_CLI_MERGE_DICTIONARIES_H_

#include <string>

#include "merge/dictionary_names.h"
#include "platform/cli_streams.h"

// Reads the names of the dictionary at `path`, the dictionary to migrate
// when `source`, else the target. False after reporting on `io.err` why the
// file cannot be used.
bool LoadDictionaryNames(const std::string& path, bool source, bool v5v5, bool old_format,
                         CliStreams& io, DictionaryNames& names);

#endif  // ZOR_CLI_MERGE_DICTIONARIES_H_
