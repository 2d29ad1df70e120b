#include "platform/random_bytes.h"

#include <vector>

#ifdef _WIN32
#include <windows.h>
// RtlGenRandom, exported by advapi32 as SystemFunction036.
extern "C" BOOLEAN NTAPI SystemFunction036(PVOID buffer, ULONG length);
#else
#include <sys/random.h>

#include <cerrno>
#endif

namespace {

bool FillRandom(std::vector<unsigned char>& bytes) {
#ifdef _WIN32
  return SystemFunction036(bytes.data(), static_cast<ULONG>(bytes.size())) != FALSE;
#else
  size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = getrandom(bytes.data() + filled, bytes.size() - filled, 0);
    if (got < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    filled += static_cast<size_t>(got);
  }
  return true;
#endif
}

}  // namespace

std::string RandomHex(size_t count) {
  std::vector<unsigned char> bytes(count);
  if (!FillRandom(bytes)) return "";
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  hex.reserve(count * 2);
  for (unsigned char byte : bytes) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 15];
  }
  return hex;
}
