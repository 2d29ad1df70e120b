// Entries of the user's synonyms file that no name of either dictionary
// holds never meet a name: a typo ("leavng"), or words run together
// ("HeatExchanger") that names hold apart. A file that seems to do nothing
// should say why, so these are warned of once the dictionaries are read.
#ifndef ZOR_SUGGESTION_RUN_SYNONYM_COVERAGE_H_
#define ZOR_SUGGESTION_RUN_SYNONYM_COVERAGE_H_

#include <string>
#include <vector>

#include "lexicon/user_synonyms.h"
#include "suggest/suggest_model.h"

// One warning per entry in no name, in the file's order, naming the file
// and line ("FILE:LINE: warning: ..."), with the words apart where a
// run-together entry reads as names' words.
std::vector<std::string> SynonymsInNoName(const std::vector<SynonymGroup>& groups,
                                          const std::string& file, const SuggestInput& input);

#endif  // ZOR_SUGGESTION_RUN_SYNONYM_COVERAGE_H_
