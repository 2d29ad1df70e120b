#include "suggest/hierarchy_evidence.h"

#include <algorithm>

namespace {

constexpr int kDeepestDescendant = 4;
constexpr double kDescendantShare = 0.6;  // a deeper descendant says less than a child
constexpr size_t kMostBeneath = 40;

double ParentSupport(const MatchContext& context, const std::vector<ClassImage>& images,
                     size_t source, size_t target) {
  const int parent = context.source_tree.Parent(source);
  if (parent == DictionaryTree::kNone) return 0;
  const ClassImage& image = images[parent];
  if (image.target < 0) return 0;
  if (static_cast<size_t>(image.target) == target) return 0;
  const int steps = context.target_tree.StepsUp(target, image.target, kDeepestDescendant);
  if (steps == 1) return image.confidence;
  if (steps > 1) return kDescendantShare * image.confidence;
  return -image.confidence;
}

double ChildrenSupport(const MatchContext& context, const std::vector<ClassImage>& images,
                       size_t source, size_t target) {
  double agree = 0, all = 0;
  for (uint32_t child : context.source_tree.Children(source)) {
    const ClassImage& image = images[child];
    if (image.target < 0) continue;
    all += image.confidence;
    if (context.target_tree.StepsUp(image.target, target, 2) > 0) agree += image.confidence;
  }
  return all > 0 ? agree / (all + 1.0) : 0.0;
}

}  // namespace

double HierarchySupport(const MatchContext& context, const std::vector<ClassImage>& images,
                        size_t source, size_t target) {
  const double up = ParentSupport(context, images, source, target);
  const double down = ChildrenSupport(context, images, source, target);
  if (up < 0) return down > 0 ? down + up * (1.0 - down) : up;
  return 1.0 - (1.0 - up) * (1.0 - down);
}

std::vector<uint32_t> HierarchyCandidates(const MatchContext& context,
                                          const std::vector<ClassImage>& images, size_t source) {
  std::vector<uint32_t> beneath;
  const int parent = context.source_tree.Parent(source);
  if (parent == DictionaryTree::kNone || images[parent].target < 0) return beneath;
  std::vector<uint32_t> level{static_cast<uint32_t>(images[parent].target)};
  for (int depth = 0; depth < 2 && beneath.size() < kMostBeneath; ++depth) {
    std::vector<uint32_t> next;
    for (uint32_t at : level) {
      for (uint32_t child : context.target_tree.Children(at)) {
        if (beneath.size() >= kMostBeneath) break;
        beneath.push_back(child);
        next.push_back(child);
      }
    }
    level.swap(next);
  }
  return beneath;
}
