// How the C library's allocator should serve the matcher, which holds many
// small blocks for a long time and a few large ones for a short time.
#ifndef ZOR_SUGGEST_MALLOC_POLICY_H_
#define ZOR_SUGGEST_MALLOC_POLICY_H_

// Asks, once per process, for one arena shared by all threads (memory a
// thread frees in an arena of its own never serves another thread) and for
// large blocks always mapped apart and given back when freed (otherwise
// the allocator learns from the first large blocks freed to keep later
// ones in the heap, where the small blocks around them pin them). Does
// nothing where the library has no such settings.
void SettleMallocForMatching();

#endif  // ZOR_SUGGEST_MALLOC_POLICY_H_
