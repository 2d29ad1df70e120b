#include "cli/verdict_set.h"

#include "cli/option_parser.h"

std::set<std::string, std::less<>> ParseVerdictList(std::string_view list) {
  static constexpr std::string_view kVerdicts[] = {"green", "blue", "red", "orange", "purple"};
  std::set<std::string, std::less<>> verdicts;
  if (list == "none") return verdicts;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(',', start);
    std::string_view name = list.substr(start, comma == std::string_view::npos ? comma : comma - start);
    bool known = false;
    for (std::string_view verdict : kVerdicts) known = known || verdict == name;
    if (!known) {
      throw UsageError("--fail-on: '" + std::string(name) +
                       "' is not a verdict (green, blue, red, orange, purple, or none)");
    }
    verdicts.emplace(name);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return verdicts;
}
