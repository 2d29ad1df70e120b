// Arbitrary bytes as the file `zorvez check --baseline` reads: the reader
// either refuses them, with a line inside the text and no fingerprint kept,
// or keeps fingerprints that the text spells out, reads a text it takes for
// JSON Lines line by line as the JSON library does, and reads the same
// fingerprints back from the smallest JSON Lines and SARIF log that hold
// them; and what it says of them all as gone is said of those alone, once
// each at most. Any failure aborts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "output/baseline_reader.h"
#include "output/gone_findings.h"

namespace {

using nlohmann::json;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "baseline_fuzzer: %s\n", what);
  std::abort();
}

std::string Lowered(std::string_view text) {
  std::string lowered(text);
  std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return lowered;
}

// Every line that holds more than blanks parses on its own as an object.
bool EachLineAnObject(std::string_view text) {
  for (size_t start = 0; start < text.size();) {
    size_t end = std::min(text.find('\n', start), text.size());
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    json value = json::parse(line.begin(), line.end(), nullptr, false);
    if (value.is_discarded() || !value.is_object()) return false;
  }
  return true;
}

// The smallest outputs of check that hold `fingerprints`.
std::string AsJsonLines(const BaselineFingerprints& fingerprints) {
  std::string text;
  for (const auto& [print, entry] : fingerprints) {
    text += "{\"record\":\"class\",\"fingerprint\":\"" + print.Hex() + "\"}\n";
  }
  return text + "{\"record\":\"summary\"}\n";
}

std::string AsSarif(const BaselineFingerprints& fingerprints) {
  std::string text =
      "{\"version\":\"2.1.0\",\"runs\":[{\"tool\":{\"driver\":{\"name\":\"zorvez\"}},"
      "\"results\":[";
  bool first = true;
  for (const auto& [print, entry] : fingerprints) {
    text += first ? "" : ",";
    first = false;
    text += "{\"partialFingerprints\":{\"zorvezFinding/v1\":\"" + print.Hex() + "\"}}";
  }
  return text + "]}]}";
}

FingerprintSet Prints(const BaselineFingerprints& fingerprints) {
  FingerprintSet prints;
  for (const auto& [print, entry] : fingerprints) prints.insert(print);
  return prints;
}

void RequireSameReadBack(const BaselineFingerprints& read, const std::string& written,
                         BaselineFormat format) {
  BaselineFingerprints again;
  BaselineReading reading = ReadBaseline(written, again);
  Require(reading.reason.empty(), "a written baseline is refused");
  Require(reading.format == format, "a written baseline is taken for the other format");
  Require(Prints(again) == Prints(read), "a written baseline reads back otherwise");
}

// What the text says of its fingerprints as gone concerns those alone.
void RequireGoneOfTheirOwn(std::string_view text, const BaselineFingerprints& fingerprints) {
  const FingerprintSet gone = Prints(fingerprints);
  FingerprintSet said;
  for (const GoneFinding& finding : ReadGoneFindings(text, fingerprints, gone)) {
    Require(gone.contains(finding.fingerprint), "a gone finding the baseline does not hold");
    Require(said.insert(finding.fingerprint).second, "a gone finding said twice");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  BaselineFingerprints fingerprints;
  BaselineReading reading = ReadBaseline(text, fingerprints);
  const long lines = 1 + static_cast<long>(std::count(text.begin(), text.end(), '\n'));
  if (!reading.reason.empty()) {
    Require(fingerprints.empty(), "a refused baseline keeps fingerprints");
    Require(reading.line >= 0 && reading.line <= lines, "a problem's line lies outside the text");
    return 0;
  }
  const std::string lowered = Lowered(text);
  for (const auto& [print, entry] : fingerprints) {
    Require(lowered.find(print.Hex()) != std::string::npos, "a fingerprint the text lacks");
  }
  RequireGoneOfTheirOwn(text, fingerprints);
  if (reading.format == BaselineFormat::kJsonLines) {
    Require(EachLineAnObject(text), "JSON Lines the library does not read");
  } else {
    Require(json::accept(text.begin(), text.end()), "a SARIF log the library does not read");
  }
  RequireSameReadBack(fingerprints, AsJsonLines(fingerprints), BaselineFormat::kJsonLines);
  RequireSameReadBack(fingerprints, AsSarif(fingerprints), BaselineFormat::kSarif);
  return 0;
}
