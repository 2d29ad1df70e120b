#include "cli/baseline_file.h"

#include "output/baseline_reader.h"
#include "platform/file_problem.h"

std::string BaselineFile::Load(const std::string& path) {
  file_ = std::make_unique<MappedFile>();
  if (std::string problem = file_->Open(path, kMostBaselineBytes); !problem.empty()) {
    return FileProblem(path, problem);
  }
  BaselineReading reading = ReadBaseline(file_->Bytes(), fingerprints_);
  if (reading.reason.empty()) return "";
  std::string where = path;
  if (reading.line > 0) {
    where += ':';
    where += std::to_string(reading.line);
  }
  return FileProblem(where, "not a baseline: " + reading.reason);
}

std::vector<GoneFinding> BaselineFile::TakeGone(const FingerprintSet& gone) {
  std::vector<GoneFinding> found;
  if (file_) found = ReadGoneFindings(file_->Bytes(), gone);
  file_.reset();
  return found;
}
