#include "output/gone_findings.h"

#include <algorithm>
#include <initializer_list>
#include <nlohmann/json.hpp>
#include <optional>

#include "output/baseline_reader.h"
#include "output/json_path_events.h"

namespace {

using json_path::PathEvents;
using nlohmann::json;

// The member at `path`, or nothing when it is missing or of another type:
// the reading of the fingerprints checked no other member.
const json* MemberAt(const json& object, std::initializer_list<const char*> path) {
  const json* at = &object;
  for (const char* key : path) {
    if (!at->is_object()) return nullptr;
    auto member = at->find(key);
    if (member == at->end()) return nullptr;
    at = &*member;
  }
  return at;
}

std::string TextAt(const json& object, std::initializer_list<const char*> path) {
  const json* at = MemberAt(object, path);
  return at != nullptr && at->is_string() ? at->get<std::string>() : std::string();
}

long NumberAt(const json& object, std::initializer_list<const char*> path) {
  const json* at = MemberAt(object, path);
  return at != nullptr && at->is_number_integer() ? at->get<long>() : 0;
}

GoneFinding FromRecord(const json& record, const Fingerprint& print) {
  GoneFinding gone{print, {}, TextAt(record, {"verdict"}), TextAt(record, {"message"}), {}};
  const std::string kind = TextAt(record, {"record"});
  GonePlace& place = gone.place;
  if (kind == "hazard") {
    gone.rule = "hazard/" + TextAt(record, {"code"});
    place.name = TextAt(record, {"file"});
    place.file = place.name.empty() ? GonePlace::File::kTable : GonePlace::File::kPath;
    place.line = NumberAt(record, {"line"});
    place.column = NumberAt(record, {"column"});
    return gone;
  }
  gone.rule = kind + "/" + TextAt(record, {"finding"});
  place.line = NumberAt(record, {"row", "line"});
  place.file = place.line > 0 ? GonePlace::File::kTable : GonePlace::File::kSource;
  if (place.line == 0) place.line = NumberAt(record, {"source", "line"});
  return gone;
}

// The results of a SARIF log, each taken whole when its fingerprint is
// gone: its rule, message, verdict and first location.
class GoneResults : public PathEvents {
 public:
  GoneResults(const FingerprintSet& gone, std::vector<GoneFinding>& found)
      : gone_(gone), found_(found) {}

 protected:
  bool Text(const std::string& value) override {
    if (!Within({"runs", "[]", "results", "[]"})) return true;
    if (In({"ruleId"})) result_.rule = value;
    if (In({"message", "text"})) result_.message = value;
    if (In({"properties", "verdict"})) result_.verdict = value;
    if (In({"baselineState"})) absent_ = value == "absent";
    if (In({"partialFingerprints", kFingerprintKey})) {
      result_.fingerprint = Fingerprint::FromHex(value).value_or(Fingerprint{});
    }
    if (FirstLocation({"artifactLocation", "uri"})) result_.place.name = value;
    if (FirstLocation({"artifactLocation", "uriBaseId"})) result_.place.relative = true;
    return true;
  }
  bool Number(long value) override {
    if (FirstLocation({"region", "startLine"})) result_.place.line = value;
    if (FirstLocation({"region", "startColumn"})) result_.place.column = value;
    return true;
  }
  bool ObjectEnds() override {
    if (Depth() == 7 && Within({"runs", "[]", "results", "[]", "locations", "[]"})) {
      locations_seen_ += 1;
    }
    if (Depth() != 5 || !Within({"runs", "[]", "results", "[]"})) return true;
    if (!absent_ && gone_.contains(result_.fingerprint) &&
        said_.insert(result_.fingerprint).second) {
      found_.push_back(std::move(result_));
    }
    result_ = {};
    result_.place.file = GonePlace::File::kUri;
    absent_ = false;
    locations_seen_ = 0;
    return found_.size() < gone_.size();
  }

 private:
  // The member `path` of the result being read.
  bool In(std::initializer_list<std::string_view> path) const {
    return Depth() == 4 + path.size() && Within({"runs", "[]", "results", "[]"}) && Ends(path);
  }
  // The member `path` of its first location's physicalLocation.
  bool FirstLocation(std::initializer_list<std::string_view> path) const {
    return locations_seen_ == 0 && Depth() == 7 + path.size() &&
           Within({"runs", "[]", "results", "[]", "locations", "[]", "physicalLocation"}) &&
           Ends(path);
  }

  const FingerprintSet& gone_;
  std::vector<GoneFinding>& found_;
  FingerprintSet said_;  // a text written by hand may say one twice
  GoneFinding result_{{}, {}, {}, {}, {GonePlace::File::kUri, {}, false, 0, 0}};
  bool absent_ = false;
  int locations_seen_ = 0;
};

// Where the records of the findings in `gone` start, in the order of the
// text.
std::vector<std::pair<size_t, Fingerprint>> GoneRecordStarts(const BaselineFingerprints& baseline,
                                                             const FingerprintSet& gone) {
  std::vector<std::pair<size_t, Fingerprint>> starts;
  for (const Fingerprint& print : gone) {
    auto entry = baseline.find(print);
    if (entry != baseline.end() && entry->second.offset != BaselineEntry::kNoOffset) {
      starts.emplace_back(entry->second.offset, print);
    }
  }
  std::sort(starts.begin(), starts.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return starts;
}

}  // namespace

std::vector<GoneFinding> ReadGoneRecords(const BaselineFingerprints& baseline,
                                         const FingerprintSet& gone,
                                         const BaselineLineReader& read_line) {
  std::vector<GoneFinding> found;
  std::string line;
  for (const auto& [start, print] : GoneRecordStarts(baseline, gone)) {
    if (!read_line(start, line)) continue;
    json record = json::parse(line.begin(), line.end(), nullptr, false);
    if (record.is_object()) found.push_back(FromRecord(record, print));
  }
  return found;
}

std::vector<GoneFinding> ReadGoneResults(std::string_view log, const FingerprintSet& gone) {
  std::vector<GoneFinding> found;
  if (gone.empty()) return found;
  GoneResults events(gone, found);
  json::sax_parse(log.begin(), log.end(), &events);
  return found;
}

std::vector<GoneFinding> ReadGoneFindings(std::string_view text,
                                          const BaselineFingerprints& baseline,
                                          const FingerprintSet& gone) {
  if (BaselineFormatOf(text) != BaselineFormat::kJsonLines) return ReadGoneResults(text, gone);
  return ReadGoneRecords(baseline, gone, [&](size_t start, std::string& line) {
    if (start >= text.size()) return false;
    line = text.substr(start, std::min(text.find('\n', start), text.size()) - start);
    return true;
  });
}
