#include "output/baseline_reader.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <vector>

#include "output/json_path_events.h"

namespace {

using json_path::PathEvents;
using json_path::RecordEvents;
using nlohmann::json;

// A SARIF log: its version, its tools and its results' fingerprints.
class SarifEvents : public PathEvents {
 public:
  explicit SarifEvents(BaselineFingerprints& fingerprints) : fingerprints_(fingerprints) {}

  std::string version;
  std::vector<std::string> tools;
  long results = 0;

 protected:
  bool Text(const std::string& value) override {
    if (All({"version"})) version = value;
    if (All({"runs", "[]", "tool", "driver", "name"})) tools.push_back(value);
    if (All({"runs", "[]", "results", "[]", "partialFingerprints", kFingerprintKey})) {
      fingerprint_ = value;
      has_fingerprint_ = true;
    }
    if (All({"runs", "[]", "results", "[]", "baselineState"})) absent_ = value == "absent";
    if (All({"runs", "[]", "results", "[]", "kind"}) ||
        All({"runs", "[]", "results", "[]", "properties", "verdict"})) {
      green_ = green_ || value == "pass" || value == "green";
    }
    return true;
  }
  bool ObjectEnds() override {
    if (Depth() != 5 || !Within({"runs", "[]", "results", "[]"})) return true;
    ++results;
    bool kept = Keep();
    fingerprint_.clear();
    has_fingerprint_ = absent_ = green_ = false;
    return kept;
  }

 private:
  bool Keep() {
    std::optional<Fingerprint> print = Fingerprint::FromHex(fingerprint_);
    if (!has_fingerprint_ || !print) {
      problem = "result " + std::to_string(results) + " has no " + kFingerprintKey +
                " fingerprint of zorvez check";
      return false;
    }
    if (!absent_) {
      fingerprints_.emplace(*print, BaselineEntry{BaselineEntry::kNoOffset, green_, false});
    }
    return true;
  }

  BaselineFingerprints& fingerprints_;
  std::string fingerprint_;
  bool has_fingerprint_ = false;
  bool absent_ = false;
  bool green_ = false;
};

long LineAt(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<long>(std::count(text.begin(), text.begin() + offset, '\n'));
}

bool IsFinding(const std::string& record) {
  return record == "class" || record == "attribute" || record == "child";
}

BaselineReading ReadJsonLines(std::string_view text, BaselineFingerprints& fingerprints) {
  BaselineReading reading{BaselineFormat::kJsonLines, 0, ""};
  bool summary = false;
  long number = 0;
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    const size_t line_start = start;
    start = end + 1;
    ++number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    RecordEvents events;
    reading.line = number;
    if (summary) {
      reading.reason = "a record after the summary record, which ends an output of check";
      return reading;
    }
    if (!json::sax_parse(line.begin(), line.end(), &events) || !events.is_object) {
      reading.reason = events.problem.empty() ? "not a JSON object" : events.problem;
      return reading;
    }
    if (events.record == "summary") {
      summary = true;
    } else if (IsFinding(events.record) ||
               (events.record == "hazard" && !events.fingerprint.empty())) {
      std::optional<Fingerprint> print = Fingerprint::FromHex(events.fingerprint);
      if (!print) {
        reading.reason = "a " + events.record +
                         " record without a fingerprint: write the baseline with this "
                         "zorvez's 'check --write-baseline'";
        return reading;
      }
      fingerprints.emplace(*print, BaselineEntry{line_start, events.verdict == "green", false});
    } else if (events.record != "hazard") {
      reading.reason = "not a record of zorvez check";
      return reading;
    }
  }
  reading.line = 0;
  if (!summary) reading.reason = "no summary record: not a whole output of zorvez check";
  return reading;
}

BaselineReading ReadSarif(std::string_view text, BaselineFingerprints& fingerprints) {
  BaselineReading reading{BaselineFormat::kSarif, 0, ""};
  SarifEvents events(fingerprints);
  if (!json::sax_parse(text.begin(), text.end(), &events)) {
    if (events.error_at != std::string::npos) reading.line = LineAt(text, events.error_at);
    reading.reason = events.problem;
    return reading;
  }
  if (events.version != "2.1.0") {
    reading.reason = "neither JSON Lines nor a SARIF 2.1.0 log of zorvez check";
  } else if (events.tools.empty() || std::any_of(events.tools.begin(), events.tools.end(),
                                                 [](auto& tool) { return tool != "zorvez"; })) {
    reading.reason = "a SARIF log of another tool, not of zorvez check";
  }
  return reading;
}

}  // namespace

BaselineFormat BaselineFormatOf(std::string_view text) {
  std::string_view first = text.substr(0, text.find('\n'));
  RecordEvents events;
  const bool lines = json::sax_parse(first.begin(), first.end(), &events) && events.is_object &&
                     !events.record.empty();
  return lines ? BaselineFormat::kJsonLines : BaselineFormat::kSarif;
}

BaselineReading ReadBaseline(std::string_view text, BaselineFingerprints& fingerprints) {
  fingerprints.clear();
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    return {BaselineFormat::kJsonLines, 0, "empty: not an output of zorvez check"};
  }
  if (text.find('\0') != std::string_view::npos) {
    return {BaselineFormat::kJsonLines, LineAt(text, text.find('\0')),
            "holds a NUL byte: not a text output of zorvez check"};
  }
  BaselineReading reading = BaselineFormatOf(text) == BaselineFormat::kJsonLines
                                ? ReadJsonLines(text, fingerprints)
                                : ReadSarif(text, fingerprints);
  if (!reading.reason.empty()) fingerprints.clear();
  return reading;
}
