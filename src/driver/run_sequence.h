// A comparison run from opening the outputs to the closing summary.
#ifndef ZOR_DRIVER_RUN_SEQUENCE_H_
#define ZOR_DRIVER_RUN_SEQUENCE_H_

#include "driver/run_settings.h"

void RunComparison(const RunSettings& settings);

#endif  // ZOR_DRIVER_RUN_SEQUENCE_H_
