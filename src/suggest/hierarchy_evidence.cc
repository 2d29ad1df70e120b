#include "suggest/hierarchy_evidence.h"

#include <algorithm>

namespace {

// Where the source class's parent maps: the candidate is a child of the
// image, a deeper descendant, or elsewhere (which counts against it).
double ParentSupport(const MatchContext& context, const ClassImage& image, size_t target) {
  if (static_cast<size_t>(image.target) == target) return 0;
  const int steps = context.target_tree.StepsUp(target, image.target,
                                                context.weights.hierarchy.deepest_descendant);
  if (steps == 1) return context.weights.hierarchy.child_share * image.confidence;
  if (steps > 1) return context.weights.hierarchy.descendant_share * image.confidence;
  return -image.confidence;
}

// The source class's siblings that have an image: the share of them whose
// image is a sibling of the candidate (the same target parent).
double SiblingSupport(const MatchContext& context, const std::vector<ClassImage>& images,
                      size_t source, int parent, size_t target) {
  const int target_parent = context.target_tree.Parent(target);
  if (target_parent == DictionaryTree::kNone) return 0;
  double agree = 0, all = 0;
  size_t looked = 0;
  for (uint32_t sibling : context.source_tree.Children(static_cast<size_t>(parent))) {
    if (sibling == source || images[sibling].target < 0) continue;
    if (++looked > context.weights.hierarchy.most_siblings) break;
    const ClassImage& image = images[sibling];
    all += image.confidence;
    if (static_cast<size_t>(image.target) != target &&
        context.target_tree.Parent(image.target) == target_parent) {
      agree += image.confidence;
    }
  }
  return all > 0 ? context.weights.hierarchy.sibling_share * agree / (all + 1.0) : 0.0;
}

// What is known above the class: its parent's image, else its siblings',
// else its grandparent's. In [-1, 1].
double UpSupport(const MatchContext& context, const std::vector<ClassImage>& images, size_t source,
                 size_t target) {
  const int parent = context.source_tree.Parent(source);
  if (parent == DictionaryTree::kNone) return 0;
  if (images[parent].target >= 0) return ParentSupport(context, images[parent], target);
  const double siblings = SiblingSupport(context, images, source, parent, target);
  if (siblings > 0) return siblings;
  const int grandparent = context.source_tree.Parent(static_cast<size_t>(parent));
  if (grandparent == DictionaryTree::kNone || images[grandparent].target < 0) return 0;
  const ClassImage& image = images[grandparent];
  const int steps = context.target_tree.StepsUp(target, image.target,
                                                context.weights.hierarchy.deepest_descendant);
  return steps >= 1 ? context.weights.hierarchy.grandparent_share * image.confidence : 0.0;
}

// The source class's children that have an image: the share of them whose
// image lies beneath the candidate.
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
  const double up = UpSupport(context, images, source, target);
  const double down = ChildrenSupport(context, images, source, target);
  if (up < 0) return down > 0 ? down + up * (1.0 - down) : up;
  return 1.0 - (1.0 - up) * (1.0 - down);
}

std::vector<uint32_t> HierarchyCandidates(const MatchContext& context,
                                          const std::vector<ClassImage>& images, size_t source) {
  std::vector<uint32_t> beneath;
  const int parent = context.source_tree.Parent(source);
  if (parent == DictionaryTree::kNone) return beneath;
  // Beneath the parent's image; else beside the siblings' images.
  std::vector<uint32_t> level;
  if (images[parent].target >= 0) {
    level.push_back(static_cast<uint32_t>(images[parent].target));
  } else {
    for (uint32_t sibling : context.source_tree.Children(static_cast<size_t>(parent))) {
      if (sibling == source || images[sibling].target < 0) continue;
      const int above = context.target_tree.Parent(images[sibling].target);
      if (above != DictionaryTree::kNone &&
          std::find(level.begin(), level.end(), static_cast<uint32_t>(above)) == level.end()) {
        level.push_back(static_cast<uint32_t>(above));
      }
      if (level.size() >= context.weights.hierarchy.most_sibling_places) break;
    }
  }
  for (int depth = 0; depth < context.weights.hierarchy.candidate_depth &&
                      beneath.size() < context.weights.hierarchy.most_beneath;
       ++depth) {
    std::vector<uint32_t> next;
    for (uint32_t at : level) {
      for (uint32_t child : context.target_tree.Children(at)) {
        if (beneath.size() >= context.weights.hierarchy.most_beneath) break;
        beneath.push_back(child);
        next.push_back(child);
      }
    }
    level.swap(next);
  }
  return beneath;
}
