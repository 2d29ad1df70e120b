// Fresh identifiers for proposed classes: random version-4 UUIDs.
#ifndef ZOR_TEXT_ZOR_UUID_H_
#define ZOR_TEXT_ZOR_UUID_H_

#include <cstdint>

#include "text/zor_string.h"

class ZORUuid {
 public:
  // Size of the buffer UuidToChaine writes into, terminating zero included.
  static constexpr int kBufferSize = 36;

  ZORUuid();

  // Writes 32 upper-case hexadecimal digits and a terminating zero. The
  // dashed form would not fit the 36-byte buffer with its zero.
  void UuidToChaine(char* buffer) const;

 private:
  uint8_t bytes_[16];
};

// A new identifier as text.
ZORUnicodeString NewUuidText();

#endif  // ZOR_TEXT_ZOR_UUID_H_
