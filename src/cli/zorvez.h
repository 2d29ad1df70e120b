// The zorvez front end: `zorvez SUBCOMMAND [options] operands`, with
// `--help`, `--version` and `help SUBCOMMAND`.
#ifndef ZOR_CLI_ZORVEZ_H_
#define ZOR_CLI_ZORVEZ_H_

#include <span>
#include <string>

#include "platform/cli_streams.h"

int RunZorvez(std::span<const std::string> arguments, CliStreams& io);

// The version `zorvez --version` prints.
const char* ZorvezVersion();

#endif  // ZOR_CLI_ZORVEZ_H_
