#include "compare/target_catalog.h"

#include <cassert>
#include <functional>

#include "dictionary/element_walk.h"

std::pair<std::string_view, std::string_view> CounterpartKey(const PassProfile& profile,
                                                             const TargetClass& target) {
  if (profile.v5v5) return {target.label.str(), target.parent.str()};
  return {target.key.str(), target.short_parent.str()};
}

TargetCatalog::TargetCatalog(const PassProfile& profile, MigrationXMLNode* target_root)
    : profile_(profile) {
  ForEachElement(target_root, "Class", [&](MigrationXMLNode* node) {
    classes_.push_back(ReadTargetClass(profile, node, classes_.size()));
    return true;
  });
  // Built after the vector is complete, so that the views stay valid.
  for (const TargetClass& target : classes_) {
    candidates_[CounterpartKey(profile, target)].push_back(target.position);
    by_short_parent_.try_emplace(target.short_parent.str(), target.position);
  }
  attributes_.resize(classes_.size());
}

const std::vector<size_t>& TargetCatalog::Candidates(std::string_view target_class,
                                                     std::string_view target_parent) {
  static const std::vector<size_t> kNoCandidates;
  auto it = candidates_.find({target_class, target_parent});
  return it == candidates_.end() ? kNoCandidates : it->second;
}

size_t TargetCatalog::FirstWithShortParent(std::string_view short_parent) {
  auto it = by_short_parent_.find(short_parent);
  return it == by_short_parent_.end() ? kNone : it->second;
}

const std::vector<TargetAttribute>& TargetCatalog::Attributes(const TargetClass& target) {
  const size_t position = target.position;
  // The cache is kept by position: a class of another document would get
  // the attributes of the class at its place here.
  assert(position < classes_.size() && classes_[position].node == target.node &&
         "a class of this catalog");
  std::optional<std::vector<TargetAttribute>>& cached = attributes_[position];
  if (!cached) {
    cached.emplace();
    ForEachElement(classes_[position].node, "Simple", [&](MigrationXMLNode* node) {
      cached->push_back(ReadTargetAttribute(profile_, node, attribute_pool_));
      return true;
    });
  }
  return *cached;
}
