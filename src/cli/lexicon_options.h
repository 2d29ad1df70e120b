// The lexicon options of `zorvez suggest` and `zorvez explore --suggest`:
// `--wordnet DIR|none` and `--synonyms FILE`, read into a Lexicon with what
// goes wrong said on standard error.
#ifndef ZOR_CLI_LEXICON_OPTIONS_H_
#define ZOR_CLI_LEXICON_OPTIONS_H_

#include <string>

#include "cli/option_parser.h"
#include "lexicon/lexicon.h"
#include "platform/cli_streams.h"

struct LexiconOptions {
  std::string wordnet;   // a folder, "none", or empty for where Debian installs it
  std::string synonyms;  // the user's synonyms file, or empty
  bool quiet = false;    // say nothing of a missing database
};

LexiconOptions ReadLexiconOptions(const ParsedArguments& parsed);

// Loads what the options name into `lexicon`. WordNet's database missing or
// unreadable is said once, and the run goes on without it; a synonyms file
// that cannot be used is refused line by line (FILE:LINE: reason), and
// false is returned.
bool LoadLexicon(const LexiconOptions& options, const std::string& command, CliStreams& io,
                 Lexicon& lexicon);

#endif  // ZOR_CLI_LEXICON_OPTIONS_H_
