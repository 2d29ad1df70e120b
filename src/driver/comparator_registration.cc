#include "driver/comparator_registration.h"

#include <new>

#include "text/zor_system.h"

void* fctCreateZODOdevDComparator() { return new (std::nothrow) ZODOdevDComparator; }

namespace {

const ZORFillDictionary kRegistration("ZODOdevDComparator", &fctCreateZODOdevDComparator);

}  // namespace
