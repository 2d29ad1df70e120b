// Word stems from the Snowball English stemmer, so that plural and
// inflected forms of a word ("reviews", "reviewed", "reviewing") meet.
// Each distinct word is stemmed once.
#ifndef ZOR_SUGGEST_WORD_STEMS_H_
#define ZOR_SUGGEST_WORD_STEMS_H_

#include <memory>
#include <string>
#include <unordered_map>

struct sb_stemmer;

class WordStemmer {
 public:
  WordStemmer();
  ~WordStemmer();
  WordStemmer(const WordStemmer&) = delete;
  WordStemmer& operator=(const WordStemmer&) = delete;

  // The stem of a folded word; the word itself when it has none to give
  // (digits, other scripts, or a stemmer that could not be made).
  const std::string& Stem(const std::string& word);

 private:
  sb_stemmer* stemmer_ = nullptr;
  std::unordered_map<std::string, std::string> cache_;
};

#endif  // ZOR_SUGGEST_WORD_STEMS_H_
