// A comparison run from opening the outputs to the closing summary.
#ifndef ZOR_DRIVER_RUN_SEQUENCE_H_
#define ZOR_DRIVER_RUN_SEQUENCE_H_

#include "driver/run_settings.h"

// How the lookups into the mapping table and the target dictionary are made.
// Both give the same console and files byte for byte: the linear scans read
// the table and the target from their start for every lookup, as the
// behaviour is defined; the indexed lookups answer the same questions from
// indexes built once per run. The linear scans are kept as the reference
// that the indexed lookups are tested against.
enum class LookupStrategy { kIndexed, kLinearScans };

void RunComparison(const RunSettings& settings,
                   LookupStrategy strategy = LookupStrategy::kIndexed);

#endif  // ZOR_DRIVER_RUN_SEQUENCE_H_
