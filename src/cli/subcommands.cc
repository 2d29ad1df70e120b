#include "cli/subcommands.h"

#include <array>

std::span<const Subcommand> Subcommands() {
  static const std::array<Subcommand, 2> kSubcommands{{
      {"check", "compare and report the findings as text or JSON Lines; exit 1 on findings",
       RunCheckCommand},
      {"merge", "put completed proposed rows into the mapping table; exit 1 on refused rows",
       RunMergeCommand},
  }};
  return kSubcommands;
}
