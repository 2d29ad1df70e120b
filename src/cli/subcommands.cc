#include "cli/subcommands.h"

#include <array>

std::span<const Subcommand> Subcommands() {
  static const std::array<Subcommand, 2> kSubcommands{{
      {"check", "compare and report the findings as text or JSON Lines; exit 1 on findings",
       RunCheckCommand},
      {"explore", "write the findings as one HTML page to browse, filter and search",
       RunExploreCommand},
  }};
  return kSubcommands;
}
