#include "suggest/malloc_policy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void SettleMallocForMatching() {
#if defined(__GLIBC__)
  constexpr int kLargeBlock = 128 * 1024;  // the library's own starting threshold
  static const bool settled = [] { return mallopt(M_ARENA_MAX, 1) == 1 && mallopt(M_MMAP_THRESHOLD, kLargeBlock) == 1; }();
  (void)settled;
#endif
}
