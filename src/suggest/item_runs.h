// Items matched independently of each other, in contiguous runs on as many
// processors as the machine has (a few at most): a run's results are the
// same whichever thread makes them, so the output never depends on it.
#ifndef ZOR_SUGGEST_ITEM_RUNS_H_
#define ZOR_SUGGEST_ITEM_RUNS_H_

#include <cstddef>
#include <functional>

// How many runs `count` items make: `asked` if not 0 (but never more runs
// than items), else one unless every run would have at least
// `least_per_run` items and the machine more than one processor.
size_t RunsFor(size_t count, size_t least_per_run, size_t asked);

// Calls work(run, begin, end) for each of `runs` contiguous runs of
// [0, count), the first on the calling thread, the others on threads of
// their own, and returns when all are done. An exception in a run is
// rethrown here, the first run's first.
void ForEachRun(size_t count, size_t runs, const std::function<void(size_t, size_t, size_t)>& work);

#endif  // ZOR_SUGGEST_ITEM_RUNS_H_
