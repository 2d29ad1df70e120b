// The attributes of a valid class, one by one: their rows after the class
// row, and the target attributes those rows name.
#ifndef ZOR_COMPARE_ATTRIBUTE_COMPARISON_H_
#define ZOR_COMPARE_ATTRIBUTE_COMPARISON_H_

#include "compare/class_record.h"
#include "compare/pass_state.h"

// Every attribute's row is looked for from the line after the class row
// (mapped.following_rows).
void CompareAttributes(PassState& pass, const MappedClass& mapped, const TargetClass& target);

#endif  // ZOR_COMPARE_ATTRIBUTE_COMPARISON_H_
