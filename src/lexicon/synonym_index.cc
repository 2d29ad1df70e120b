#include "lexicon/synonym_index.h"

#include <algorithm>

#include "lexicon/phrase_key.h"
#include "text/folded_text.h"

void SynonymIndex::Add(const std::vector<SynonymGroup>& groups) {
  for (const SynonymGroup& group : groups) {
    std::vector<std::string> keys;
    for (const std::string& entry : group.entries) {
      std::string key = PhraseKey(FoldText(entry));
      // An entry met twice in a group ("Temp = temp") relates nothing.
      if (key.empty() || std::find(keys.begin(), keys.end(), key) != keys.end()) continue;
      most_words_ = std::max(most_words_, KeyWordCount(key));
      keys.push_back(std::move(key));
    }
    if (keys.size() < 2) continue;
    const auto number = static_cast<uint32_t>(groups_.size());
    for (const std::string& key : keys) groups_of_[key].push_back(number);
    groups_.push_back(std::move(keys));
  }
}

std::vector<std::string> SynonymIndex::Related(std::string_view key) const {
  std::vector<std::string> related;
  if (groups_.empty()) return related;
  auto found = groups_of_.find(std::string(key));
  if (found == groups_of_.end()) return related;
  for (uint32_t group : found->second) {
    for (const std::string& entry : groups_[group]) {
      if (entry != key && std::find(related.begin(), related.end(), entry) == related.end()) {
        related.push_back(entry);
      }
    }
  }
  return related;
}

bool SynonymIndex::Holds(std::string_view key) const {
  return !groups_.empty() && groups_of_.find(std::string(key)) != groups_of_.end();
}
