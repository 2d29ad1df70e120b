// The attributes of a valid class, one by one: their rows after the class
// row, and the target attributes those rows name.
#ifndef ZOR_COMPARE_ATTRIBUTE_COMPARISON_H_
#define ZOR_COMPARE_ATTRIBUTE_COMPARISON_H_

#include "compare/class_record.h"
#include "driver/run_context.h"

// Expects mappingPosition on the line after the class row.
void CompareAttributes(RunContext& context, const PassProfile& profile, const MappedClass& mapped,
                       const TargetClass& target);

#endif  // ZOR_COMPARE_ATTRIBUTE_COMPARISON_H_
