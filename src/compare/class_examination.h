// The verdict on one source class: explicitly unmapped, valid, badly
// mapped, not found in the target, or missing from the mapping table.
#ifndef ZOR_COMPARE_CLASS_EXAMINATION_H_
#define ZOR_COMPARE_CLASS_EXAMINATION_H_

#include "compare/class_record.h"
#include "compare/pass_state.h"

void ExamineClass(PassState& pass, const SourceClass& source);

#endif  // ZOR_COMPARE_CLASS_EXAMINATION_H_
