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

Fingerprint Hashed(std::string_view bytes) {
  Wide hash = kOffsetBasis;
  for (char c : bytes) {
    hash ^= static_cast<unsigned char>(c);
    hash *= kPrime;
  }
  return {static_cast<uint64_t>(hash >> 64), static_cast<uint64_t>(hash)};
}

// Each field with its length first, so that no two lists of names make the
// same input ("a,b" + "c" against "a" + "b,c").
void AddField(std::string& input, std::string_view field) {
  input += std::to_string(field.size());
  input += ':';
  input += field;
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

Fingerprint FindingFingerprints::Of(const ClassFindings& batch, const Finding& finding,
                                    uint32_t class_occurrence) {
  std::string& input = input_;
  input.clear();
  AddField(input, SubjectName(finding.subject));
  AddField(input, finding.section == ReportSection::kBody ? "body" : "requested_unmapped");
  AddField(input, FindingKindName(finding.kind));
  AddField(input, VerdictName(finding.verdict));
  AddField(input, batch.key);
  AddField(input, batch.label);
  AddField(input, finding.label);
  AddField(input, finding.key);
  AddField(input, finding.target ? std::string_view(finding.target->key) : "");
  AddField(input, finding.target ? std::string_view(finding.target->target_class) : "");
  if (class_occurrence > 0) AddField(input, "class " + std::to_string(class_occurrence));
  return Hashed(input);
}

void FindingFingerprints::Take(const ClassFindings& batch, std::vector<Fingerprint>& prints) {
  prints.clear();
  input_.clear();
  AddField(input_, batch.key);
  AddField(input_, batch.label);
  const uint32_t class_occurrence = classes_seen_[Hashed(input_).low]++;
  bases_.clear();
  for (const Finding& finding : batch.findings) {
    bases_.push_back(Of(batch, finding, class_occurrence));
    // Alike findings of one class: the later ones add their number.
    const auto before = std::count(bases_.begin(), bases_.end() - 1, bases_.back());
    if (before > 0) AddField(input_, "finding " + std::to_string(before));
    prints.push_back(before > 0 ? Hashed(input_) : bases_.back());
  }
}
