#include "cli/lexicon_options.h"

LexiconOptions ReadLexiconOptions(const ParsedArguments& parsed) {
  LexiconOptions options;
  options.wordnet = parsed.Value("wordnet");
  if (parsed.Has("wordnet") && options.wordnet.empty())
    throw UsageError("--wordnet needs a folder, or none");
  options.synonyms = parsed.Value("synonyms");
  if (parsed.Has("synonyms") && options.synonyms.empty())
    throw UsageError("--synonyms needs a file name");
  return options;
}

bool LoadLexicon(const LexiconOptions& options, const std::string& command, CliStreams& io,
                 Lexicon& lexicon) {
  if (options.wordnet != "none") {
    const std::string folder = options.wordnet.empty() ? DefaultWordNetFolder() : options.wordnet;
    const std::string problem = lexicon.LoadWordNet(folder);
    if (!problem.empty() && !options.quiet) {
      ReportError(
          io,
          command + ": WordNet's database cannot be read (" + problem +
              "); going on without it: install wordnet-base, give --wordnet DIR, or --wordnet none "
              "to say nothing");
    }
  }
  if (options.synonyms.empty()) return true;
  std::vector<SynonymProblem> warnings;
  const std::vector<SynonymProblem> problems =
      lexicon.LoadUserSynonyms(options.synonyms, &warnings);
  for (const SynonymProblem& problem : problems)
    ReportError(io, command + ": " + SynonymProblemText(problem));
  if (problems.empty() && !options.quiet) {
    for (SynonymProblem warning : warnings) {
      warning.reason = "warning: " + warning.reason;
      ReportError(io, command + ": " + SynonymProblemText(warning));
    }
  }
  return problems.empty();
}
