#include "cli/baseline_file.h"

#include "platform/file_problem.h"
#include "platform/file_reader.h"
#include "platform/mapped_file.h"

std::string BaselineFile::Load(const std::string& path) {
  path_ = path;
  MappedFile file;
  if (std::string problem = file.Open(path, kMostBaselineBytes); !problem.empty()) {
    return FileProblem(path, problem);
  }
  BaselineReading reading = ReadBaseline(file.Bytes(), fingerprints_);
  format_ = reading.format;
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
  if (format_ == BaselineFormat::kSarif) {
    MappedFile file;
    if (!file.Open(path_, kMostBaselineBytes).empty()) return {};
    return ReadGoneResults(file.Bytes(), gone);
  }
  OffsetFile file;
  if (!file.Open(path_, kMostBaselineBytes).empty()) return {};
  return ReadGoneRecords(fingerprints_, gone, [&](size_t start, std::string& line) {
    return file.ReadLine(start, kMostBaselineBytes, line);
  });
}
