#include "cli/subcommands.h"

#include <array>

std::span<const Subcommand> Subcommands() {
  static const std::array<Subcommand, 1> kSubcommands{{
      {"check", "compare and report the findings as text or JSON Lines; exit 1 on findings",
       RunCheckCommand},
  }};
  return kSubcommands;
}
