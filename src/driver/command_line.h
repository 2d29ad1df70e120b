// The environment, the path convention, the default locations, the option
// scan, the input checks and the decision whether a comparison follows.
#ifndef ZOR_DRIVER_COMMAND_LINE_H_
#define ZOR_DRIVER_COMMAND_LINE_H_

#include "driver/run_settings.h"

// Prints the usage screen.
void Help();

// Forms the settings, printing every console line of the way and running
// the usage screen and the conversion when asked. Returns true when a
// comparison run follows.
bool SettleCommandLine(int argc, char** argv, RunSettings& settings);

#endif  // ZOR_DRIVER_COMMAND_LINE_H_
