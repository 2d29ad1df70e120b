// The searches of a pass in the target dictionary, made through the pass's
// target classes, with the dev-trace lines of the walk over them.
#ifndef ZOR_COMPARE_TARGET_SEARCH_H_
#define ZOR_COMPARE_TARGET_SEARCH_H_

#include <string_view>

#include "compare/pass_state.h"

// The fields of a class row that the class examination reads, as written.
struct ClassRowFields {
  ZORUnicodeString source_class;
  ZORUnicodeString source_attribute;
  ZORUnicodeString target_class;
  ZORUnicodeString target_parent;
};

ClassRowFields RawClassRowFields(std::string_view class_row);

struct TargetSearch {
  bool any_target_class = false;
  bool found = false;
  // A class of the name the row gives was withdrawn for its identity.
  bool identity_differs = false;
  TargetClass target;
};

// Looks for the target class that the class row names, adding the red
// "badly mapped" finding when the row names none.
TargetSearch SearchTarget(PassState& pass, const MappedClass& mapped, const ClassRowFields& row);

// The first target class whose short parent is `short_parent`, or null.
// Valid until the next question to the pass's target classes.
const TargetClass* FirstTargetClassWithShortParent(PassState& pass,
                                                   const ZORUnicodeString& short_parent);

#endif  // ZOR_COMPARE_TARGET_SEARCH_H_
