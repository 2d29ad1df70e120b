// Runs one comparison for the subcommands of zorvez: the inputs are checked
// and loaded with messages that name the file (and the line, for XML), then
// every class's findings go to a sink. The mapping table is read once per
// command, and every part of the command takes its view of those bytes.
#ifndef ZOR_COMPARISON_RUN_COMPARISON_RUN_H_
#define ZOR_COMPARISON_RUN_COMPARISON_RUN_H_

#include <functional>
#include <string>

#include "compare/finding.h"
#include "dictionary/migration_xml.h"
#include "platform/cli_streams.h"
#include "platform/file_reader.h"

struct FindingRunOptions {
  std::string source_path;   // the dictionary to migrate
  std::string target_path;   // the target V5 dictionary
  std::string mapping_path;  // the mapping table
  bool v5v5 = false;
  bool old_format = false;
  bool quiet = false;  // no warnings on standard error, only why an input cannot be used
};

// The mapping table as the command read it. One that could not be read
// keeps why, and the comparison says so in its turn, after the dictionaries'
// paths are checked.
struct TableInput {
  std::string path;
  FileRead read;

  std::string_view bytes() const { return read.bytes; }
};
TableInput ReadTableInput(const std::string& path);

// The root element of the dictionary at `path`, loaded into `document`, or
// null after reporting on `io.err` why it cannot be used.
MigrationXMLNode* LoadDictionary(const std::string& path, CliStreams& io,
                                 MigrationXMLNode*& document);

// The documents of one run, released together.
struct LoadedDocuments {
  MigrationXMLNode* source = nullptr;
  MigrationXMLNode* target = nullptr;
  LoadedDocuments() = default;
  LoadedDocuments(const LoadedDocuments&) = delete;
  LoadedDocuments& operator=(const LoadedDocuments&) = delete;
  ~LoadedDocuments() {
    if (source) source->Release();
    if (target) target->Release();
  }
};

// Returns kExitClean once every class went to `sink` and `totals` are
// filled, or kExitTrouble after reporting on `io.err` why an input cannot be
// used (no class reaches the sink then). Unlike the defined tool, a
// dictionary that does not parse is refused, never read as empty.
int RunFindings(const FindingRunOptions& options, TableInput& table, CliStreams& io,
                FindingSink& sink, ComparisonTotals& totals);

// The same, with `loaded` called on the two root elements once they are
// loaded and before the first class is compared, so that a subcommand that
// also reads the dictionaries does not load them twice.
using LoadedRoots = std::function<void(MigrationXMLNode* source, MigrationXMLNode* target)>;
int RunFindings(const FindingRunOptions& options, TableInput& table, CliStreams& io,
                FindingSink& sink, ComparisonTotals& totals, const LoadedRoots& loaded);

#endif  // ZOR_COMPARISON_RUN_COMPARISON_RUN_H_
