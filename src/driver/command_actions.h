// Acting on a scanned command line, in the console order the scan implies:
// the lines it owes, then the usage screen or the conversion asked for, then
// the input checks, which decide whether a comparison follows.
#ifndef ZOR_DRIVER_COMMAND_ACTIONS_H_
#define ZOR_DRIVER_COMMAND_ACTIONS_H_

#include "driver/command_line.h"

// Does what `line` asks for short of the comparison. Returns true when a
// comparison run follows: it was asked for, every option named its files
// and the three inputs exist.
bool ActOnCommandLine(const CommandLine& line);

#endif  // ZOR_DRIVER_COMMAND_ACTIONS_H_
