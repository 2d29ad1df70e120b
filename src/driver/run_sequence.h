// A comparison run from opening the outputs to the closing summary.
#ifndef ZOR_DRIVER_RUN_SEQUENCE_H_
#define ZOR_DRIVER_RUN_SEQUENCE_H_

#include "dictionary/lookup_strategy.h"
#include "driver/run_settings.h"

void RunComparison(const RunSettings& settings, LookupStrategy strategy = LookupStrategy::kIndexed);

#endif  // ZOR_DRIVER_RUN_SEQUENCE_H_
