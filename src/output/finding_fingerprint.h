// A finding's fingerprint: what lets a service, or `zorvez check
// --baseline`, recognise one finding from one run to the next. It is made
// from what the finding is (its subject, section, kind and verdict) and the
// names it concerns (the class, the attribute or child, the target), never
// from a line number or the order of the rows, so rows may move without
// changing it. Two findings that would still read alike (a class the
// dictionary holds twice) are told apart by their order of occurrence.
// A hazard's is made the same way from its code, its file and the names it
// concerns (Hazard::names).
#ifndef ZOR_OUTPUT_FINDING_FINGERPRINT_H_
#define ZOR_OUTPUT_FINDING_FINGERPRINT_H_

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "compare/finding.h"
#include "lint/hazard.h"

// 128 bits, written as 32 lower-case hexadecimal digits.
struct Fingerprint {
  uint64_t high = 0;
  uint64_t low = 0;

  bool operator==(const Fingerprint&) const = default;
  std::array<char, 32> Digits() const;
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

// Fingerprints of the findings of one run, taken batch by batch in the
// run's order.
class FindingFingerprints {
 public:
  // One fingerprint per finding of `batch`, in its order, into `prints`.
  void Take(const ClassFindings& batch, std::vector<Fingerprint>& prints);

 private:
  // How many classes of each key and label came before, by the low half of
  // the hash of the two. Per class rather than per finding, so that the
  // table stays a twentieth of the findings' number.
  std::unordered_map<uint64_t, uint32_t> classes_seen_;
  std::vector<Fingerprint> bases_;  // of the batch's findings, before numbering
};

// Fingerprints of the hazards of one run, taken in the order they are
// written.
class HazardFingerprints {
 public:
  Fingerprint Take(const Hazard& hazard);

 private:
  // How many hazards of each code, file and names came before.
  std::unordered_map<Fingerprint, uint32_t, FingerprintHash> seen_;
};

#endif  // ZOR_OUTPUT_FINDING_FINGERPRINT_H_
