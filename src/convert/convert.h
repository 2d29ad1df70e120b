// Converts one dictionary in the older attribute layout into an incomplete
// V5 package.
#ifndef ZOR_CONVERT_CONVERT_H_
#define ZOR_CONVERT_CONVERT_H_

#include "text/zor_string.h"

// Both names are files in the exported-V5 folder of the dictionary tree,
// always joined with "/".
void Convert(ZORUnicodeString input_name, ZORUnicodeString output_name);

#endif  // ZOR_CONVERT_CONVERT_H_
