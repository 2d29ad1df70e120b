// The lookups of a pass in the target dictionary, each made by the walk from
// its first class or through the catalog, with the same result and the same
// dev-trace lines.
#ifndef ZOR_COMPARE_TARGET_SEARCH_H_
#define ZOR_COMPARE_TARGET_SEARCH_H_

#include <optional>
#include <vector>

#include "compare/pass_state.h"

// The fields of a class row that the class examination reads, as written.
struct ClassRowFields {
  ZORUnicodeString sourceClass;
  ZORUnicodeString sourceAttribute;
  ZORUnicodeString targetClass;
  ZORUnicodeString targetParent;
};

ClassRowFields RawClassRowFields(const ZORUnicodeString& class_row);

struct TargetSearch {
  bool anyTargetClass = false;
  bool found = false;
  // A class of the name the row gives was withdrawn for its identity.
  bool identityDiffers = false;
  TargetClass target;
};

// Looks for the target class that the class row names, adding the red
// "badly mapped" finding when the row names none.
TargetSearch SearchTarget(PassState& pass, const MappedClass& mapped, const ClassRowFields& row);

// The first target class whose short parent is `short_parent`.
std::optional<TargetClass> FirstTargetClassWithShortParent(PassState& pass,
                                                           const ZORUnicodeString& short_parent);

// The target class's attribute definitions, in document order. Valid until
// the next call.
const std::vector<TargetAttribute>& TargetAttributes(PassState& pass, const TargetClass& target);

#endif  // ZOR_COMPARE_TARGET_SEARCH_H_
