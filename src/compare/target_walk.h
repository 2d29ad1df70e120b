// The target classes found by walking the target document from its first
// class for every question, as the run's searches are defined. Slow, and
// kept as the reference that the catalog's answers are tested against.
#ifndef ZOR_COMPARE_TARGET_WALK_H_
#define ZOR_COMPARE_TARGET_WALK_H_

#include <deque>
#include <string>
#include <vector>

#include "compare/pass_profile.h"
#include "compare/target_classes.h"

class TargetWalk : public TargetClasses {
 public:
  TargetWalk(const PassProfile& profile, MigrationXMLNode* target_root)
      : profile_(profile), root_(target_root) {}

  size_t size() const override;
  const TargetClass& Class(size_t position) override;
  const std::vector<size_t>& Candidates(std::string_view target_class,
                                        std::string_view target_parent) override;
  size_t FirstWithShortParent(std::string_view short_parent) override;
  const std::vector<TargetAttribute>& Attributes(const TargetClass& target) override;

 private:
  // Walks the classes in document order until `visit` returns false.
  template <typename Visit>
  void Walk(Visit visit) const;
  // The class elements in document order, until `visit` returns false.
  template <typename Visit>
  void WalkElements(Visit visit) const;

  const PassProfile& profile_;
  MigrationXMLNode* root_;
  // The answers to the last question of each kind.
  TargetClass class_;
  std::vector<size_t> candidates_;
  std::vector<TargetAttribute> attributes_;
  std::deque<std::string> attribute_pool_;
};

#endif  // ZOR_COMPARE_TARGET_WALK_H_
