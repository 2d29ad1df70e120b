#include "cli/option_parser.h"
#include "cli/subcommands.h"

int RunCheckCommand(std::span<const std::string> arguments, CliStreams& io) {
  (void)arguments;
  ReportError(io, "check: not available yet");
  return kExitTrouble;
}
