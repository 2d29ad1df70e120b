#include "suggest/item_runs.h"

#include <algorithm>
#include <exception>
#include <thread>
#include <vector>

#include "suggest/malloc_policy.h"

namespace {

constexpr size_t kMostRuns = 4;

}  // namespace

size_t RunsFor(size_t count, size_t least_per_run, size_t asked) {
  if (asked > 0) return std::max<size_t>(1, std::min(asked, count));
  const size_t processors = std::max<size_t>(1, std::thread::hardware_concurrency());
  const size_t by_size = least_per_run == 0 ? count : count / least_per_run;
  return std::max<size_t>(1, std::min({processors, kMostRuns, by_size}));
}

void ForEachRun(size_t count, size_t runs,
                const std::function<void(size_t, size_t, size_t)>& work) {
  runs = std::max<size_t>(1, runs);
  std::vector<std::exception_ptr> failures(runs);
  auto run = [&](size_t r) {
    try {
      work(r, count * r / runs, count * (r + 1) / runs);
    } catch (...) {
      failures[r] = std::current_exception();
    }
  };
  if (runs > 1) SettleMallocForMatching();
  std::vector<std::thread> threads;
  size_t started = 1;
  try {
    threads.reserve(runs - 1);
    for (; started < runs; ++started) threads.emplace_back(run, started);
  } catch (...) {
    // No more threads to be had (or no memory for one): the rest run here.
  }
  run(0);
  for (size_t r = started; r < runs; ++r) run(r);
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}
