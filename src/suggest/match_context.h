// Everything the matchers read, built once from the input: the names of
// both dictionaries as word profiles, word weights and word links for
// class names and for attribute names, and both trees.
#ifndef ZOR_SUGGEST_MATCH_CONTEXT_H_
#define ZOR_SUGGEST_MATCH_CONTEXT_H_

#include <memory>
#include <vector>

#include "suggest/dictionary_tree.h"
#include "suggest/lexicon_evidence.h"
#include "suggest/name_profiles.h"
#include "suggest/suggest_model.h"
#include "suggest/word_links.h"
#include "suggest/word_weights.h"

struct AttributeNames {
  std::vector<ClassNames> names;     // one per attribute of the class
  std::vector<uint32_t> identities;  // the attributes' compact labels, numbered; sorted
};

struct MatchContext {
  MatchContext(const SuggestInput& input, const SuggestOptions& options);

  bool Uses(uint32_t signal) const { return (options.signals & signal) != 0; }

  const SuggestInput& input;
  SuggestOptions options;
  const MatchWeights& weights = options.weights;
  WordVocabulary vocabulary;
  std::vector<ClassNames> source_names;
  std::vector<ClassNames> target_names;
  std::vector<AttributeNames> source_attributes;
  std::vector<AttributeNames> target_attributes;
  WordWeights class_weights;
  WordWeights attribute_weights;
  // Per word number: a linking word ("of", "for"), which a broader or
  // narrower name may add or drop without changing what it says.
  std::vector<bool> linking_words;
  WordLinks class_links;
  WordLinks attribute_links;
  DictionaryTree source_tree;
  DictionaryTree target_tree;
  std::vector<int> source_anchor;      // per source class: its anchored target, or -1
  std::vector<NameProfile> item_rows;  // per class item: the name its row gives, or none
  std::shared_ptr<LexiconEvidence> lexicon_evidence = std::make_shared<LexiconEvidence>();
};

#endif  // ZOR_SUGGEST_MATCH_CONTEXT_H_
