// Rows proposed for the mapping table, in its layout, with the columns the
// user completes left empty. Each row is returned with its line end, exactly
// as the proposed mapping holds it.
#ifndef ZOR_COMPARE_PROPOSED_ROWS_H_
#define ZOR_COMPARE_PROPOSED_ROWS_H_

#include <string>

#include "text/zor_string.h"

enum class RowEscaping { kEscaped, kAsIs };

// name,parent,*,,,*,
std::string ProposedClassRow(const ZORUnicodeString& class_name,
                             const ZORUnicodeString& class_parent,
                             RowEscaping escaping = RowEscaping::kEscaped);
// name,parent,attribute,,,,
std::string ProposedAttributeRow(const ZORUnicodeString& class_name,
                                 const ZORUnicodeString& class_parent,
                                 const ZORUnicodeString& attribute_name);
// name,parent,target attribute,,,,,, (nine columns)
std::string ProposedTargetAttributeRow(const ZORUnicodeString& class_name,
                                       const ZORUnicodeString& class_parent,
                                       const ZORUnicodeString& target_attribute);

#endif  // ZOR_COMPARE_PROPOSED_ROWS_H_
