// A finding's fingerprint: what lets a service, or `zorvez check
// --baseline`, recognise one finding from one run to the next. It is made
// from what the finding is (its subject, section, kind and verdict) and the
// names it concerns (the class, the attribute or child, the target), never
// from a line number or the order of the rows, so rows may move without
// changing it. Two findings that would still read alike (a class the
// dictionary holds twice) are told apart by their order of occurrence.
#ifndef ZOR_OUTPUT_FINDING_FINGERPRINT_H_
#define ZOR_OUTPUT_FINDING_FINGERPRINT_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "compare/finding.h"

// 128 bits, written as 32 lower-case hexadecimal digits.
struct Fingerprint {
  uint64_t high = 0;
  uint64_t low = 0;

  bool operator==(const Fingerprint&) const = default;
  std::string Hex() const;
  // The value of 32 hexadecimal digits (either case), or nothing.
  static std::optional<Fingerprint> FromHex(std::string_view text);
};

struct FingerprintHash {
  size_t operator()(const Fingerprint& print) const { return print.low ^ (print.high << 1); }
};

// The key under which SARIF results carry the fingerprint; its version
// changes whenever what goes into the fingerprint does.
constexpr const char* kFingerprintKey = "zorvezFinding/v1";

// Fingerprints of the findings of one run, taken in the run's order.
class FindingFingerprints {
 public:
  Fingerprint Next(const ClassFindings& batch, const Finding& finding);

 private:
  std::string input_;
  // How often each input was seen, by its fingerprint's low half.
  std::unordered_map<uint64_t, uint32_t> seen_;
};

#endif  // ZOR_OUTPUT_FINDING_FINGERPRINT_H_
