#include "text/zor_uuid.h"

#include <random>

namespace {

// Seeded once per process from the operating system's entropy.
std::mt19937_64& Generator() {
  static std::mt19937_64 generator = [] {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device(),
                       device(), device(), device(), device()};
    return std::mt19937_64(seed);
  }();
  return generator;
}

}  // namespace

ZORUuid::ZORUuid() {
  uint64_t high = Generator()();
  uint64_t low = Generator()();
  for (int i = 0; i < 8; ++i) {
    bytes_[i] = static_cast<uint8_t>(high >> (56 - 8 * i));
    bytes_[8 + i] = static_cast<uint8_t>(low >> (56 - 8 * i));
  }
  bytes_[6] = static_cast<uint8_t>((bytes_[6] & 0x0F) | 0x40);  // version 4
  bytes_[8] = static_cast<uint8_t>((bytes_[8] & 0x3F) | 0x80);  // RFC variant
}

void ZORUuid::UuidToChaine(char* buffer) const {
  static const char kHex[] = "0123456789ABCDEF";
  for (int i = 0; i < 16; ++i) {
    buffer[2 * i] = kHex[bytes_[i] >> 4];
    buffer[2 * i + 1] = kHex[bytes_[i] & 0x0F];
  }
  buffer[32] = '\0';
}

ZORUnicodeString NewUuidText() {
  char buffer[ZORUuid::kBufferSize] = {};
  ZORUuid uuid;
  uuid.UuidToChaine(buffer);
  return ZORUnicodeString(buffer);
}
