#include "output/finding_fingerprint.h"

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

std::string Fingerprint::Hex() const {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text(32, '0');
  for (int i = 0; i < 16; ++i) {
    text[15 - i] = kDigits[(high >> (4 * i)) & 0xf];
    text[31 - i] = kDigits[(low >> (4 * i)) & 0xf];
  }
  return text;
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

Fingerprint FindingFingerprints::Next(const ClassFindings& batch, const Finding& finding) {
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
  Fingerprint print = Hashed(input);
  uint32_t occurrence = seen_[print.low]++;
  if (occurrence == 0) return print;
  AddField(input, std::to_string(occurrence));
  return Hashed(input);
}
