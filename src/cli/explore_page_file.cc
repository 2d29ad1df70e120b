#include "cli/explore_page_file.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

#include "platform/file_problem.h"
#include "platform/utf8_files.h"

namespace {

namespace fs = std::filesystem;

// Beside the page, so that the rename stays within one file system; hidden
// and marked, so that a scratch file left by a killed run is recognisable.
fs::path ScratchPathFor(const fs::path& page) {
  std::random_device entropy;
  fs::path name(".");
  name += page.filename().native();
  name += ".zorvez-" + std::to_string(entropy()) + ".tmp";
  return page.parent_path() / name;
}

int Trouble(CliStreams& io, const std::string& path, const std::string& reason) {
  ReportError(io, FileProblem(path, reason));
  return kExitTrouble;
}

}  // namespace

int WriteExplorePageFile(const std::string& path, const ExplorePageOptions& options, CliStreams& io,
                         const PageSource& source) {
  const fs::path page = PathFromUtf8(path.c_str());
  std::error_code probe;
  if (page.filename().empty() || fs::is_directory(page, probe)) {
    return Trouble(io, path, FileProblemReason(EISDIR));
  }
  const fs::path scratch = ScratchPathFor(page);
  std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
  if (!out) return Trouble(io, path, "cannot write: " + FileProblemReason(errno));

  int status = kExitClean;
  std::string failure;
  try {
    ExplorePageWriter writer(out, options);
    status = source(writer);
    if (status == kExitClean) writer.Finish();
    out.close();
    if (status == kExitClean && !out) failure = "cannot write: " + FileProblemReason(EIO);
  } catch (const std::exception& error) {
    failure = error.what();
  }
  std::error_code ignored;
  if (status != kExitClean || !failure.empty()) {
    out.close();
    fs::remove(scratch, ignored);
    return failure.empty() ? status : Trouble(io, path, failure);
  }
  std::error_code renamed;
  fs::rename(scratch, page, renamed);
  if (renamed) {
    fs::remove(scratch, ignored);
    return Trouble(io, path, "cannot write: " + FileProblemReason(renamed));
  }
  return kExitClean;
}
