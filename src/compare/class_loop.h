// The walk over the classes of the dictionary to migrate: each class is
// examined in document order and its findings handed to a sink.
#ifndef ZOR_COMPARE_CLASS_LOOP_H_
#define ZOR_COMPARE_CLASS_LOOP_H_

#include <functional>

#include "compare/class_record.h"
#include "compare/finding.h"
#include "compare/pass_state.h"

// Called before each class is examined (the console counter, the trace).
using BeforeClass = std::function<void(const SourceClass& source)>;

void CompareClasses(PassState& pass, FindingSink& sink, const BeforeClass& before_class);

// The number of classes the walk will examine.
long CountSourceClasses(MigrationXMLNode* source_root);

#endif  // ZOR_COMPARE_CLASS_LOOP_H_
