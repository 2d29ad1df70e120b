#include "compare/target_walk.h"

#include <cassert>

#include "compare/target_catalog.h"
#include "dictionary/element_walk.h"

template <typename Visit>
void TargetWalk::WalkElements(Visit visit) const {
  size_t position = 0;
  ForEachElement(root_, "Class", [&](MigrationXMLNode* node) { return visit(node, position++); });
}

template <typename Visit>
void TargetWalk::Walk(Visit visit) const {
  WalkElements([&](MigrationXMLNode* node, size_t position) {
    return visit(ReadTargetClass(profile_, node, position));
  });
}

size_t TargetWalk::size() const {
  size_t count = 0;
  WalkElements([&](MigrationXMLNode*, size_t) {
    count += 1;
    return true;
  });
  return count;
}

const TargetClass& TargetWalk::Class(size_t position) {
  bool found = false;
  WalkElements([&](MigrationXMLNode* node, size_t at) {
    if (at != position) return true;
    class_ = ReadTargetClass(profile_, node, position);
    found = true;
    return false;
  });
  assert(found && "a class of the target");
  (void)found;
  return class_;
}

const std::vector<size_t>& TargetWalk::Candidates(std::string_view target_class,
                                                  std::string_view target_parent) {
  candidates_.clear();
  const std::pair<std::string_view, std::string_view> named(target_class, target_parent);
  Walk([&](const TargetClass& target) {
    if (CounterpartKey(profile_, target) == named) candidates_.push_back(target.position);
    return true;
  });
  return candidates_;
}

size_t TargetWalk::FirstWithShortParent(std::string_view short_parent) {
  size_t first = kNone;
  Walk([&](const TargetClass& target) {
    if (target.short_parent.str() != short_parent) return true;
    first = target.position;
    return false;
  });
  return first;
}

const std::vector<TargetAttribute>& TargetWalk::Attributes(const TargetClass& target) {
  attributes_.clear();
  attribute_pool_.clear();
  ForEachElement(target.node, "Simple", [&](MigrationXMLNode* node) {
    attributes_.push_back(ReadTargetAttribute(profile_, node, attribute_pool_));
    return true;
  });
  return attributes_;
}
