// Runs of items on threads: every item in exactly one run, in order, and a
// failure in any run reaches the caller.
#include "suggest/item_runs.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

TEST(ItemRuns, EveryItemFallsInOneRunAndFailuresComeBack) {
  for (size_t count : {0u, 1u, 7u, 1000u}) {
    for (size_t runs : {1u, 2u, 3u, 8u}) {
      std::vector<std::atomic<int>> seen(count);
      std::vector<size_t> ends(runs, 0), begins(runs, 0);
      ForEachRun(count, runs, [&](size_t run, size_t begin, size_t end) {
        begins[run] = begin;
        ends[run] = end;
        for (size_t i = begin; i < end; ++i) ++seen[i];
      });
      for (size_t i = 0; i < count; ++i)
        EXPECT_EQ(seen[i], 1) << count << " items, " << runs << " runs";
      for (size_t r = 1; r < runs; ++r) EXPECT_EQ(begins[r], ends[r - 1]);  // contiguous, in order
    }
  }
  EXPECT_THROW(ForEachRun(10, 3,
                          [](size_t run, size_t, size_t) {
                            if (run == 2) throw std::runtime_error("run 2");
                          }),
               std::runtime_error);
  EXPECT_EQ(RunsFor(5, 1, 8), 5u);    // never more runs than items
  EXPECT_EQ(RunsFor(5, 100, 0), 1u);  // too few items to share
}
