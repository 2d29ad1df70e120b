#include "cli/baseline_file.h"

#include "output/baseline_reader.h"
#include "platform/file_problem.h"
#include "platform/mapped_file.h"

std::string BaselineFile::Load(const std::string& path) {
  path_ = path;
  MappedFile file;
  if (std::string problem = file.Open(path, kMostBaselineBytes); !problem.empty()) {
    return FileProblem(path, problem);
  }
  BaselineReading reading = ReadBaseline(file.Bytes(), fingerprints_);
  if (reading.reason.empty()) return "";
  std::string where = path;
  if (reading.line > 0) {
    where += ':';
    where += std::to_string(reading.line);
  }
  return FileProblem(where, "not a baseline: " + reading.reason);
}

std::vector<GoneFinding> BaselineFile::ReadGone(const FingerprintSet& gone) const {
  if (gone.empty()) return {};
  MappedFile file;
  if (!file.Open(path_, kMostBaselineBytes).empty()) return {};
  return ReadGoneFindings(file.Bytes(), gone);
}
