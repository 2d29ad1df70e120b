#include "suggest/global_assignment.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr double kDemoted = 0.8;          // a target another item took with a better score
constexpr double kDemotedByRow = 0.92;    // a target a row of the table already takes
constexpr double kStrong = 0.9;           // both this strong and about equal: many-to-one
constexpr double kAboutEqual = 0.02;

struct Owner {
  int item = -1;
  double score = 0;
};

std::vector<Owner> TakeGreedily(const std::vector<std::vector<ClassCandidate>>& per_item,
                                size_t target_count) {
  std::vector<std::tuple<double, size_t, size_t>> pairs;  // score, item, target
  for (size_t i = 0; i < per_item.size(); ++i) {
    for (const ClassCandidate& c : per_item[i]) pairs.emplace_back(c.score, i, c.target);
  }
  std::sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
    if (std::get<0>(a) != std::get<0>(b)) return std::get<0>(a) > std::get<0>(b);
    return std::tie(std::get<1>(a), std::get<2>(a)) < std::tie(std::get<1>(b), std::get<2>(b));
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
