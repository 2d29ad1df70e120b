// The target dictionary's classes read once, in document order, with the
// indexes that the target lookups of a pass use. Every lookup answers as the
// walk from the first class would: the first in document order.
#ifndef ZOR_COMPARE_TARGET_CATALOG_H_
#define ZOR_COMPARE_TARGET_CATALOG_H_

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "compare/class_record.h"
#include "dictionary/view_pair_hash.h"

class TargetCatalog {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  TargetCatalog(const PassProfile& profile, MigrationXMLNode* target_root);

  size_t size() const { return classes_.size(); }
  const TargetClass& Class(size_t position) const { return classes_[position]; }
  // Positions of the classes that a class row with these fourth and fifth
  // fields names, in document order.
  const std::vector<size_t>& Candidates(std::string_view target_class,
                                        std::string_view target_parent) const;
  // The first class whose short parent is `short_parent`, or kNone.
  size_t FirstWithShortParent(std::string_view short_parent) const;
  // The class's attribute definitions, read on first use.
  const std::vector<TargetAttribute>& Attributes(size_t position);

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
