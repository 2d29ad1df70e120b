// zor_suggest_tables: `zorvez suggest --format jsonl` with signals switched
// off, for the ablation of the benchmark of tables with removed blocks (the
// command itself has no such switch: a user has no use for one).
//
//   zor_suggest_tables SOURCE.xml TARGET.xml MAPPING.csv OUT.jsonl [--off SIGNALS] [--wordnet
//   DIR|none]
//
// SIGNALS: a comma-separated list of label, key, stems, weights, spelling,
// learned, hierarchy, attributes, assignment, abbreviation, lexicon, synonyms,
// and mutual (the acceptance of pairs that are each other's best).
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "lexicon/lexicon.h"
#include "output/suggest_report.h"
#include "suggestion_run/suggestion_run.h"

namespace {

bool SwitchOff(const std::string& names, SuggestOptions& options) {
  static const std::map<std::string, uint32_t> kSignals = {
      {"label", kSignalLabel},           {"key", kSignalKey},
      {"stems", kSignalStems},           {"weights", kSignalWeights},
      {"spelling", kSignalSpelling},     {"learned", kSignalLearned},
      {"hierarchy", kSignalHierarchy},   {"attributes", kSignalAttributes},
      {"assignment", kSignalAssignment}, {"abbreviation", kSignalAbbreviation},
      {"lexicon", kSignalLexicon},       {"synonyms", kSignalSynonyms}};
  std::istringstream list(names);
  for (std::string name; std::getline(list, name, ',');) {
    if (name == "mutual") {
      options.weights.acceptance.mutual_min_score =
          options.weights.acceptance.attribute_mutual_min_score = 1.01;
      continue;
    }
    auto found = kSignals.find(name);
    if (found == kSignals.end()) return false;
    options.signals &= ~found->second;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 5) {
    std::fprintf(stderr,
                 "usage: zor_suggest_tables SOURCE.xml TARGET.xml MAPPING.csv OUT.jsonl "
                 "[--off SIGNALS] [--wordnet DIR|none]\n");
    return 2;
  }
  SuggestOptions options;
  std::string wordnet;
  for (int i = 5; i + 1 < argc; i += 2) {
    const std::string arg = argv[i];
    if (arg == "--off" && SwitchOff(argv[i + 1], options)) continue;
    if (arg == "--wordnet") {
      wordnet = argv[i + 1];
      continue;
    }
    std::fprintf(stderr, "zor_suggest_tables: what is '%s %s'?\n", argv[i], argv[i + 1]);
    return 2;
  }
  Lexicon lexicon;
  if (wordnet != "none") lexicon.LoadWordNet(wordnet.empty() ? DefaultWordNetFolder() : wordnet);
  options.lexicon = &lexicon;
  CliStreams io{std::cout, std::cerr};
  const FindingRunOptions run{argv[1], argv[2], argv[3]};
  SuggestionRun suggestions;
  if (RunSuggestions({run, options, "", false}, io, suggestions) != kExitClean) return 2;
  std::ofstream out(argv[4], std::ios::binary);
  WriteSuggestionRecords(out, suggestions.work, suggestions.output, suggestions.rows);
  return out ? 0 : 2;
}
