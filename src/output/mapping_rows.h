// Rows of the proposed mapping CSV, in the layout of the mapping table.
#ifndef ZOR_OUTPUT_MAPPING_ROWS_H_
#define ZOR_OUTPUT_MAPPING_ROWS_H_

#include "driver/run_context.h"

enum class RowEscaping { kEscaped, kAsIs };

// name,parent,*,,,*,
void WriteProposedClassRow(RunContext& context, const ZORUnicodeString& class_name,
                           const ZORUnicodeString& class_parent,
                           RowEscaping escaping = RowEscaping::kEscaped);
// name,parent,attribute,,,,
void WriteProposedAttributeRow(RunContext& context, const ZORUnicodeString& class_name,
                               const ZORUnicodeString& class_parent,
                               const ZORUnicodeString& attribute_name);
// name,parent,target attribute,,,,,, (nine columns)
void WriteProposedTargetAttributeRow(RunContext& context, const ZORUnicodeString& class_name,
                                     const ZORUnicodeString& class_parent,
                                     const ZORUnicodeString& target_attribute);

#endif  // ZOR_OUTPUT_MAPPING_ROWS_H_
