#include "output/finding_fingerprint.h"

#include <algorithm>

#include "output/finding_names.h"

namespace {

using Wide = unsigned __int128;

// FNV-1a over 128 bits: fast, the same on every platform and build, and
// wide enough that the fingerprints of a run of millions of findings do not
// meet by chance.
constexpr Wide kOffsetBasis =
    (static_cast<Wide>(0x6c62272e07bb0142ULL) << 64) | static_cast<Wide>(0x62b821756295c58dULL);
constexpr Wide kPrime = (static_cast<Wide>(1) << 88) | static_cast<Wide>(0x13b);

// Fields hashed one after the other, each with its length first, so that no
// two lists of names hash the same input ("a,b" + "c" against "a" + "b,c").
class FieldHash {
 public:
  FieldHash& Field(std::string_view field) {
    const auto size = static_cast<uint32_t>(field.size());
    for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<unsigned char>(size >> shift));
    for (char c : field) Byte(static_cast<unsigned char>(c));
    return *this;
  }
  Fingerprint Value() const {
    return {static_cast<uint64_t>(hash_ >> 64), static_cast<uint64_t>(hash_)};
  }

 private:
  void Byte(unsigned char byte) {
    hash_ ^= byte;
    hash_ *= kPrime;
  }

  Wide hash_ = kOffsetBasis;
};

// What the finding is and the names it concerns; the class's number among
// the classes of its key and label when it is not the first.
FieldHash FindingHash(const ClassFindings& batch, const Finding& finding,
                      uint32_t class_occurrence) {
  FieldHash hash;
  hash.Field(SubjectName(finding.subject))
      .Field(finding.section == ReportSection::kBody ? "body" : "requested_unmapped")
      .Field(FindingKindName(finding.kind))
      .Field(VerdictName(finding.verdict))
      .Field(batch.key)
      .Field(batch.label)
      .Field(finding.label)
      .Field(finding.key)
      .Field(finding.target ? std::string_view(finding.target->key) : "")
      .Field(finding.target ? std::string_view(finding.target->target_class) : "");
  if (class_occurrence > 0) hash.Field("class " + std::to_string(class_occurrence));
  return hash;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::array<char, 32> Fingerprint::Digits() const {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::array<char, 32> text;
  for (int i = 0; i < 16; ++i) {
    text[15 - i] = kDigits[(high >> (4 * i)) & 0xf];
    text[31 - i] = kDigits[(low >> (4 * i)) & 0xf];
  }
  return text;
}

std::string Fingerprint::Hex() const {
  std::array<char, 32> digits = Digits();
  return std::string(digits.data(), digits.size());
}

std::optional<Fingerprint> Fingerprint::FromHex(std::string_view text) {
  if (text.size() != 32) return std::nullopt;
  Fingerprint print;
  for (size_t i = 0; i < 32; ++i) {
    int digit = HexDigit(text[i]);
    if (digit < 0) return std::nullopt;
    uint64_t& half = i < 16 ? print.high : print.low;
    half = (half << 4) | static_cast<uint64_t>(digit);
  }
  return print;
}

Fingerprint HazardFingerprints::Take(const Hazard& hazard) {
  FieldHash hash;
  hash.Field("hazard")
      .Field(HazardCodeName(hazard.code))
      .Field(hazard.file == HazardFile::kTable ? "table" : "source");
  for (const std::string& name : hazard.names) hash.Field(name);
  // Alike hazards (two identical rows): the later ones add their number.
  const uint32_t before = seen_[hash.Value()]++;
  if (before > 0) hash.Field("hazard " + std::to_string(before));
  return hash.Value();
}

void FindingFingerprints::Take(const ClassFindings& batch, std::vector<Fingerprint>& prints) {
  prints.clear();
  const uint64_t class_name = FieldHash().Field(batch.key).Field(batch.label).Value().low;
  const uint32_t class_occurrence = classes_seen_[class_name]++;
  bases_.clear();
  for (const Finding& finding : batch.findings) {
    FieldHash hash = FindingHash(batch, finding, class_occurrence);
    bases_.push_back(hash.Value());
    // Alike findings of one class: the later ones add their number.
    const auto before = std::count(bases_.begin(), bases_.end() - 1, bases_.back());
    if (before > 0) hash.Field("finding " + std::to_string(before));
    prints.push_back(hash.Value());
  }
}
