// Classes that the mapping table does not name, and the warnings for the
// child classes of an explicitly unmapped class.
#ifndef ZOR_COMPARE_MISSING_CLASS_H_
#define ZOR_COMPARE_MISSING_CLASS_H_

#include "compare/class_record.h"
#include "compare/pass_state.h"

// A red finding, a class row and one attribute row per attribute; the V5/V5
// pass also proposes the class in the DDL.
void ReportClassMissingFromTable(PassState& pass, const MappedClass& mapped);

// One finding per class row of the table whose parent column names the
// unmapped class, when the class retains attributes its children inherit.
void WarnChildClasses(PassState& pass, const ZORUnicodeString& child_search_key,
                      long retained_count);

#endif  // ZOR_COMPARE_MISSING_CLASS_H_
