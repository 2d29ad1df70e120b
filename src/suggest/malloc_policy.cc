#include "suggest/malloc_policy.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

void SettleMallocForMatching() {
#if defined(__GLIBC__)
  constexpr int kLargeBlock = 128 * 1024;  // the library's own starting threshold
  static const bool settled = [] {
    const bool one_arena = mallopt(M_ARENA_MAX, 1) == 1;
    const bool fixed_threshold = mallopt(M_MMAP_THRESHOLD, kLargeBlock) == 1;
    return one_arena && fixed_threshold;  // either may fail alone; the other still holds
  }();
  (void)settled;
#endif
}
