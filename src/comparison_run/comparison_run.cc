#include "comparison_run/comparison_run.h"

#include <chrono>
#include <filesystem>
#include <string>

#include "compare/class_loop.h"
#include "compare/comparison_state.h"
#include "dictionary/element_walk.h"
#include "dictionary/mapping_reader.h"
#include "platform/file_problem.h"
#include "platform/utf8_files.h"

namespace {

namespace fs = std::filesystem;

// Refuses what the defined tool would silently read as empty: a missing
// file, a folder, a file that cannot be opened.
bool UsableFile(const std::string& path, CliStreams& io) {
  std::error_code error;
  fs::file_status status = fs::status(PathFromUtf8(path.c_str()), error);
  if (!error && !fs::exists(status))
    error = std::make_error_code(std::errc::no_such_file_or_directory);
  if (!error && fs::is_directory(status)) error = std::make_error_code(std::errc::is_a_directory);
  if (error) ReportError(io, FileProblem(path, FileProblemReason(error)));
  return !error;
}

// Naming one file twice is a slip (a completed path, a copied command)
// whose findings would still look plausible: every class is compared with
// itself.
void WarnOfOneDictionaryTwice(const FindingRunOptions& options, CliStreams& io) {
  std::error_code error;
  if (options.quiet || !fs::equivalent(PathFromUtf8(options.source_path.c_str()),
                                       PathFromUtf8(options.target_path.c_str()), error)) {
    return;
  }
  ReportError(io, "warning: " + options.source_path + " and " + options.target_path +
                      " are the same file: the dictionary to migrate and the target are one, "
                      "so every finding compares the dictionary with itself");
}

// Shows the class counter on a terminal once a run has taken a while.
class Progress {
 public:
  Progress(CliStreams& io, long total) : io_(io), total_(total) {}
  ~Progress() {
    if (shown_) io_.err << "\r\033[K" << std::flush;
  }
  void Step() {
    ++done_;
    if (!io_.progress_on_err || done_ % 64 != 0) return;
    if (std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
    shown_ = true;
    io_.err << "\rzorvez: examining class " << done_ << " of " << total_ << std::flush;
  }

 private:
  CliStreams& io_;
  long total_;
  long done_ = 0;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

// The table's bytes as the run holds them (one line end more), lent for the
// run and given back after it: a large table is held once. A table holding
// a NUL byte, which the run reads up to, is copied instead.
class LentTable {
 public:
  explicit LentTable(std::string& bytes) : bytes_(bytes) {
    if (bytes.find('\0') != std::string::npos) {
      text_ = RunTableText(bytes);
      return;
    }
    lent_ = true;
    bytes += '\n';
    text_ = ZORUnicodeString(std::move(bytes));
  }
  ~LentTable() {
    if (!lent_) return;
    bytes_ = std::move(text_.str());
    bytes_.pop_back();
  }
  LentTable(const LentTable&) = delete;
  LentTable& operator=(const LentTable&) = delete;

  const ZORUnicodeString& text() const { return text_; }

 private:
  std::string& bytes_;
  ZORUnicodeString text_;
  bool lent_ = false;
};

}  // namespace

TableInput ReadTableInput(const std::string& path) { return {path, ReadTableFile(path)}; }

MigrationXMLNode* LoadDictionary(const std::string& path, CliStreams& io,
                                 MigrationXMLNode*& document) {
  if (!UsableFile(path, io)) return nullptr;
  XmlLoadError error;
  document = MigrationXMLNode::CreateFromFile(path.c_str(), &error);
  if (document != nullptr) return FirstNode(document);
  std::string where = path;
  if (error.line > 0) {
    where += ':';
    where += std::to_string(error.line);
    where += ':';
    where += std::to_string(error.column);
  }
  ReportError(io, FileProblem(where, error.reason.empty() ? "does not parse" : error.reason));
  return nullptr;
}

int RunFindings(const FindingRunOptions& options, TableInput& table, CliStreams& io,
                FindingSink& sink, ComparisonTotals& totals) {
  return RunFindings(options, table, io, sink, totals, nullptr);
}

int RunFindings(const FindingRunOptions& options, TableInput& table, CliStreams& io,
                FindingSink& sink, ComparisonTotals& totals, const LoadedRoots& loaded) {
  for (const std::string* path :
       {&options.source_path, &options.target_path, &options.mapping_path}) {
    if (!UsableFile(*path, io)) return kExitTrouble;
  }
  WarnOfOneDictionaryTwice(options, io);
  ComparisonState state;
  state.settings = {options.v5v5, options.old_format, false, true};
  if (!table.read.ok()) {
    ReportError(io, ReadProblem(table.path, table.read));
    return kExitTrouble;
  }
  LentTable lent(table.read.bytes);
  const ZORUnicodeString& table_text = lent.text();
  LoadedDocuments documents;
  state.source_root = LoadDictionary(options.source_path, io, documents.source);
  if (state.source_root == nullptr) return kExitTrouble;
  state.target_root = LoadDictionary(options.target_path, io, documents.target);
  if (state.target_root == nullptr) return kExitTrouble;
  if (loaded) loaded(state.source_root, state.target_root);

  state.totals.total_classes = CountSourceClasses(state.source_root);
  {
    Progress progress(io, state.totals.total_classes);
    PassState pass(state, table_text, LookupStrategy::kIndexed);
    CompareClasses(pass, sink, [&](const SourceClass&) { progress.Step(); });
  }
  totals = state.totals;
  return kExitClean;
}
