// The target dictionary's classes read once, in document order, with the
// indexes that answer a pass's questions without walking the document again.
#ifndef ZOR_COMPARE_TARGET_CATALOG_H_
#define ZOR_COMPARE_TARGET_CATALOG_H_

#include <cassert>
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "compare/class_record.h"
#include "compare/target_classes.h"
#include "dictionary/view_pair_hash.h"

class TargetCatalog : public TargetClasses {
 public:
  TargetCatalog(const PassProfile& profile, MigrationXMLNode* target_root);

  size_t size() const override { return classes_.size(); }
  const TargetClass& Class(size_t position) override {
    assert(position < classes_.size() && "a class of the target");
    return classes_[position];
  }
  const std::vector<size_t>& Candidates(std::string_view target_class,
                                        std::string_view target_parent) override;
  size_t FirstWithShortParent(std::string_view short_parent) override;
  // Read on first use, then kept.
  const std::vector<TargetAttribute>& Attributes(const TargetClass& target) override;

 private:
  const PassProfile& profile_;
  std::vector<TargetClass> classes_;
  std::unordered_map<ViewPair, std::vector<size_t>, ViewPairHash> candidates_;
  std::unordered_map<std::string_view, size_t> by_short_parent_;
  std::vector<std::optional<std::vector<TargetAttribute>>> attributes_;
  std::deque<std::string> attribute_pool_;
};

// The two values of a target class that a class row's fourth and fifth
// fields must equal: key and short parent in the V4/V5 pass, label and
// parent in the V5/V5 pass.
std::pair<std::string_view, std::string_view> CounterpartKey(const PassProfile& profile,
                                                             const TargetClass& target);

#endif  // ZOR_COMPARE_TARGET_CATALOG_H_
