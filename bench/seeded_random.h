// Random choices that come out the same on every platform for one seed.
#ifndef ZOR_BENCH_SEEDED_RANDOM_H_
#define ZOR_BENCH_SEEDED_RANDOM_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <utility>
#include <vector>

namespace zor_bench {

// The engine's output sequence is fixed by the language standard, but the
// standard distributions are not (each library maps the engine's numbers to
// ranges its own way), so the few distributions needed here are written out.
class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}

  std::uint64_t Bits() { return engine_(); }

  // Uniform in [0, bound); `bound` must be above 0. Draws below 2^64 mod
  // bound are thrown away so that every result is equally likely.
  std::uint64_t Below(std::uint64_t bound) {
    const std::uint64_t discarded = (0 - bound) % bound;
    std::uint64_t draw = engine_();
    while (draw < discarded) draw = engine_();
    return draw % bound;
  }

  size_t Index(size_t size) { return static_cast<size_t>(Below(size)); }

  // Uniform in [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Below(static_cast<std::uint64_t>(high - low) + 1));
  }

  // True `chance` times in a thousand.
  bool PerMille(int chance) { return Below(1000) < static_cast<std::uint64_t>(chance); }

  bool Coin() { return Below(2) == 1; }

  // An index into `weights`, each drawn in proportion to its weight.
  size_t Weighted(std::initializer_list<int> weights) {
    std::uint64_t total = 0;
    for (int weight : weights) total += static_cast<std::uint64_t>(weight);
    std::uint64_t draw = Below(total);
    size_t index = 0;
    for (int weight : weights) {
      if (draw < static_cast<std::uint64_t>(weight)) return index;
      draw -= static_cast<std::uint64_t>(weight);
      ++index;
    }
    return index - 1;
  }

  template <typename T>
  const T& Pick(const std::vector<T>& items) {
    return items[Index(items.size())];
  }

  // Fisher-Yates, from the back.
  template <typename T>
  void Shuffle(std::vector<T>& items) {
    for (size_t i = items.size(); i > 1; --i) std::swap(items[i - 1], items[Index(i)]);
  }

 private:
  std::mt19937_64 engine_;
};

}  // namespace zor_bench

#endif  // ZOR_BENCH_SEEDED_RANDOM_H_
