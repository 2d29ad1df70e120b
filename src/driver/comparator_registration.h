// The comparator class that the program makes known to the framework's
// dictionary before main runs. Nothing asks the dictionary for it.
#ifndef ZOR_DRIVER_COMPARATOR_REGISTRATION_H_
#define ZOR_DRIVER_COMPARATOR_REGISTRATION_H_

#include <cstdint>

#include "text/zor_string.h"

class ZODOdevDComparator {
 public:
  int32_t state = 0;
  ZORUnicodeString texts[9];
  int32_t reserved;  // left unset by the factory
};

// A new comparator, or null when memory is exhausted.
void* fctCreateZODOdevDComparator();

#endif  // ZOR_DRIVER_COMPARATOR_REGISTRATION_H_
