// The subcommands of zorvez. Each takes the arguments that follow its name
// and returns the process's exit status.
#ifndef ZOR_CLI_SUBCOMMANDS_H_
#define ZOR_CLI_SUBCOMMANDS_H_

#include <span>
#include <string>
#include <string_view>

#include "platform/cli_streams.h"

using SubcommandRun = int (*)(std::span<const std::string> arguments, CliStreams& io);

struct Subcommand {
  std::string_view name;
  std::string_view summary;  // one line for the overview
  SubcommandRun run;
};

std::span<const Subcommand> Subcommands();

int RunCheckCommand(std::span<const std::string> arguments, CliStreams& io);
int RunMergeCommand(std::span<const std::string> arguments, CliStreams& io);
int RunLintCommand(std::span<const std::string> arguments, CliStreams& io);
int RunSuggestCommand(std::span<const std::string> arguments, CliStreams& io);
int RunExploreCommand(std::span<const std::string> arguments, CliStreams& io);
int RunReviewCommand(std::span<const std::string> arguments, CliStreams& io);

#endif  // ZOR_CLI_SUBCOMMANDS_H_
