#include "output/baseline_reader.h"

#include <algorithm>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <vector>

namespace {

using nlohmann::json;

// Deeper than any output of check nests; a text nested deeper is refused
// before its frames cost more than the text.
constexpr size_t kDeepest = 32;

// A reader of events that knows where in the text's tree it is: the key
// of each open object, "[]" for each open array.
class PathEvents : public nlohmann::json_sax<json> {
 public:
  size_t error_at = std::string::npos;  // byte offset of a syntax error
  std::string problem;                  // why the reading stopped, if it did

  bool null() override { return true; }
  bool boolean(bool) override { return true; }
  bool number_integer(number_integer_t) override { return true; }
  bool number_unsigned(number_unsigned_t) override { return true; }
  bool number_float(number_float_t, const string_t&) override { return true; }
  bool binary(binary_t&) override { return true; }
  bool string(string_t& value) override { return Text(value); }
  bool start_object(std::size_t) override { return Push(true); }
  bool start_array(std::size_t) override { return Push(false); }
  bool key(string_t& name) override {
    frames_.back().key = std::move(name);
    return true;
  }
  bool end_object() override {
    bool go_on = ObjectEnds();
    frames_.pop_back();
    return go_on;
  }
  bool end_array() override {
    frames_.pop_back();
    return true;
  }
  bool parse_error(std::size_t position, const std::string&,
                   const nlohmann::detail::exception&) override {
    error_at = position;
    problem = "not JSON here, so neither JSON Lines nor a whole SARIF log";
    return false;
  }

 protected:
  virtual bool Text(const std::string& value) = 0;
  virtual bool ObjectEnds() { return true; }

  // Whether the open containers are `path` (All) or begin with it (Within).
  bool Within(std::initializer_list<std::string_view> path) const {
    if (frames_.size() < path.size()) return false;
    size_t i = 0;
    for (std::string_view step : path) {
      const Frame& frame = frames_[i++];
      if (frame.object ? frame.key != step : step != "[]") return false;
    }
    return true;
  }
  bool All(std::initializer_list<std::string_view> path) const {
    return frames_.size() == path.size() && Within(path);
  }
  size_t Depth() const { return frames_.size(); }

 private:
  struct Frame {
    bool object;
    std::string key;
  };
  bool Push(bool object) {
    if (frames_.size() == kDeepest) {
      problem = "nested deeper than " + std::to_string(kDeepest) + " levels";
      return false;
    }
    frames_.push_back({object, {}});
    return true;
  }

  std::vector<Frame> frames_;
};

// One line of JSON Lines: its "record" and "fingerprint" members.
class RecordEvents : public PathEvents {
 public:
  std::string record;
  std::string fingerprint;
  bool is_object = false;

  bool start_object(std::size_t size) override {
    if (Depth() == 0) is_object = true;
    return PathEvents::start_object(size);
  }

 protected:
  bool Text(const std::string& value) override {
    if (All({"record"})) record = value;
    if (All({"fingerprint"})) fingerprint = value;
    return true;
  }
};

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
    return true;
  }
  bool ObjectEnds() override {
    if (Depth() != 5 || !Within({"runs", "[]", "results", "[]"})) return true;
    ++results;
    bool kept = Keep();
    fingerprint_.clear();
    has_fingerprint_ = absent_ = false;
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
    if (!absent_) fingerprints_.insert(*print);
    return true;
  }

  BaselineFingerprints& fingerprints_;
  std::string fingerprint_;
  bool has_fingerprint_ = false;
  bool absent_ = false;
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
    } else if (IsFinding(events.record)) {
      std::optional<Fingerprint> print = Fingerprint::FromHex(events.fingerprint);
      if (!print) {
        reading.reason =
            "a finding record without a fingerprint: write the baseline with this "
            "zorvez's 'check --format jsonl'";
        return reading;
      }
      fingerprints.insert(*print);
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

BaselineReading ReadBaseline(std::string_view text, BaselineFingerprints& fingerprints) {
  fingerprints.clear();
  if (text.find_first_not_of(" \t\r\n") == std::string_view::npos) {
    return {BaselineFormat::kJsonLines, 0, "empty: not an output of zorvez check"};
  }
  if (text.find('\0') != std::string_view::npos) {
    return {BaselineFormat::kJsonLines, LineAt(text, text.find('\0')),
            "holds a NUL byte: not a text output of zorvez check"};
  }
  // A record of JSON Lines is an object with a "record" member on a line of
  // its own; the first line of a SARIF log never is.
  std::string_view first = text.substr(0, text.find('\n'));
  RecordEvents events;
  bool lines = json::sax_parse(first.begin(), first.end(), &events) && events.is_object &&
               !events.record.empty();
  BaselineReading reading =
      lines ? ReadJsonLines(text, fingerprints) : ReadSarif(text, fingerprints);
  if (!reading.reason.empty()) fingerprints.clear();
  return reading;
}
