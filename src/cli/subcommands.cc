#include "cli/subcommands.h"

#include <array>

std::span<const Subcommand> Subcommands() {
  static const std::array<Subcommand, 6> kSubcommands{{
      {"check", "compare and report the findings as text or JSON Lines; exit 1 on findings",
       RunCheckCommand},
      {"merge", "put completed proposed rows into the mapping table; exit 1 on refused rows",
       RunMergeCommand},
      {"lint", "list the hazards of a mapping table; --fix repairs the mechanical ones",
       RunLintCommand},
      {"suggest",
       "propose the target of every unmapped class and attribute; --format csv for merge",
       RunSuggestCommand},
      {"explore", "write the findings as one HTML page to browse, filter and search",
       RunExploreCommand},
      {"review",
       "review the suggestions in the browser; decisions kept on disk, applied to the table",
       RunReviewCommand},
  }};
  return kSubcommands;
}
