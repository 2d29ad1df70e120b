#include "suggest/word_stems.h"

#include <libstemmer.h>

WordStemmer::WordStemmer() : stemmer_(sb_stemmer_new("english", "UTF_8")) {}

WordStemmer::~WordStemmer() {
  if (stemmer_ != nullptr) sb_stemmer_delete(stemmer_);
}

const std::string& WordStemmer::Stem(const std::string& word) {
  auto found = cache_.find(word);
  if (found != cache_.end()) return found->second;
  std::string stem = word;
  // Short words are mostly abbreviations: stemming "pcs" or "bus" helps
  // nobody and merges what differs.
  if (stemmer_ != nullptr && word.size() > 3) {
    const sb_symbol* stemmed = sb_stemmer_stem(
        stemmer_, reinterpret_cast<const sb_symbol*>(word.data()), static_cast<int>(word.size()));
    if (stemmed != nullptr) {
      stem.assign(reinterpret_cast<const char*>(stemmed),
                  static_cast<size_t>(sb_stemmer_length(stemmer_)));
    }
  }
  return cache_.emplace(word, std::move(stem)).first->second;
}
