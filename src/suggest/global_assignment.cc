#include "suggest/global_assignment.h"

#include <algorithm>
#include <cstdint>
#include <tuple>

namespace {

constexpr double kDemoted = 0.8;          // a target another item took with a better score
constexpr double kDemotedByRow = 0.92;    // a target a row of the table already takes
constexpr double kStrong = 0.9;           // both this strong and about equal: many-to-one
constexpr double kAboutEqual = 0.02;

struct Pair {
  double score;
  uint32_t item;
  uint32_t target;
};

struct Owner {
  int item = -1;
  double score = 0;
};

std::vector<Owner> TakeGreedily(const std::vector<std::vector<ClassCandidate>>& per_item,
                                size_t target_count) {
  std::vector<Pair> pairs;
  for (size_t i = 0; i < per_item.size(); ++i) {
    for (const ClassCandidate& c : per_item[i]) {
      pairs.push_back(Pair{c.score, static_cast<uint32_t>(i), static_cast<uint32_t>(c.target)});
    }
  }
  std::sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
    if (a.score != b.score) return a.score > b.score;
    return std::tie(a.item, a.target) < std::tie(b.item, b.target);
  });
  std::vector<Owner> owners(target_count);
  std::vector<bool> placed(per_item.size(), false);
  for (const auto& [score, item, target] : pairs) {
    if (placed[item]) continue;
    Owner& owner = owners[target];
    const bool shared = owner.item >= 0 && score >= kStrong && owner.score - score <= kAboutEqual;
    if (owner.item >= 0 && !shared) continue;
    placed[item] = true;
    if (owner.item < 0) owner = Owner{static_cast<int>(item), score};
  }
  return owners;
}

}  // namespace

void AssignGlobally(std::vector<std::vector<ClassCandidate>>& per_item, const std::vector<bool>& anchored,
                    size_t target_count) {
  const std::vector<Owner> owners = TakeGreedily(per_item, target_count);
  for (size_t i = 0; i < per_item.size(); ++i) {
    for (ClassCandidate& c : per_item[i]) {
      const Owner& owner = owners[c.target];
      double factor = 1.0;
      if (owner.item >= 0 && owner.item != static_cast<int>(i) && owner.score > c.score + kAboutEqual) {
        factor = kDemoted;
      } else if (anchored[c.target] && c.score < 1.0) {
        factor = kDemotedByRow;
      }
      if (factor < 1.0) {
        c.score *= factor;
        c.evidence |= kSignalAssignment;
      }
    }
    std::stable_sort(per_item[i].begin(), per_item[i].end(),
                     [](const ClassCandidate& a, const ClassCandidate& b) { return a.score > b.score; });
  }
}
