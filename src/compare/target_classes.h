// The target dictionary's classes as a pass asks about them. Every answer is
// the one the walk from the first class gives: the first in document order.
// What a question returns stays valid until the same question is asked again.
// TargetCatalog answers from the classes read once; TargetWalk walks the
// document for every question, as the run's searches are defined, and is
// the reference the catalog is tested against.
#ifndef ZOR_COMPARE_TARGET_CLASSES_H_
#define ZOR_COMPARE_TARGET_CLASSES_H_

#include <cstddef>
#include <string_view>
#include <vector>

#include "compare/class_record.h"

class TargetClasses {
 public:
  static constexpr size_t kNone = static_cast<size_t>(-1);

  virtual ~TargetClasses() = default;

  // How many classes the target holds.
  virtual size_t size() const = 0;
  // The class at `position` in document order, below size().
  virtual const TargetClass& Class(size_t position) = 0;
  // Positions of the classes that a class row with these fourth and fifth
  // columns, as written, names; in document order.
  virtual const std::vector<size_t>& Candidates(std::string_view target_class,
                                                std::string_view target_parent) = 0;
  // The first class whose short parent is `short_parent`, or kNone.
  virtual size_t FirstWithShortParent(std::string_view short_parent) = 0;
  // The attribute definitions, in document order, of a class these target
  // classes gave.
  virtual const std::vector<TargetAttribute>& Attributes(const TargetClass& target) = 0;
};

#endif  // ZOR_COMPARE_TARGET_CLASSES_H_
