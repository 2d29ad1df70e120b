// Words of the source that stand for other words of the target: spelling
// variants and substitutions learned from the table's rows. Also what the
// table's rows drop from source names or add to target names ("Conference"
// in "ConferenceMember" mapped to "Member"): such words say less.
#ifndef ZOR_SUGGEST_WORD_LINKS_H_
#define ZOR_SUGGEST_WORD_LINKS_H_

#include <cstdint>
#include <vector>

struct WordLink {
  uint32_t to = 0;
  double strength = 0;  // in (0, 1]: how far the two words count as one
  uint32_t signal = 0;  // the signal that made the link
};

// Words of the source that together stand for words of the target: an
// abbreviation and the words it abbreviates ("PC" for "Program Committee"),
// a phrase and its synonym ("last name" for "surname"). Both sides sorted.
struct PhraseLink {
  std::vector<uint32_t> from;
  std::vector<uint32_t> to;
  double strength = 0;
  uint32_t signal = 0;
};

class WordLinks {
 public:
  // Keeps the strongest link between two words.
  void Add(uint32_t from, uint32_t to, double strength, uint32_t signal);
  const std::vector<WordLink>& From(uint32_t word) const;
  // A word's bit in a 64-bit signature of a set of words, and the
  // signature of the words a word links to: when it shares no bit with a
  // name's signature, none of its links reaches that name, and the links
  // need not be read.
  static uint64_t Bit(uint32_t word) { return uint64_t{1} << ((word * 0x9E3779B1u) >> 26); }
  uint64_t Reach(uint32_t word) const { return word < reach_.size() ? reach_[word] : 0; }
  // The link from `from` to `to`, or null. A word may have dozens of links
  // (spellings of a number); once sealed, they are searched by target word.
  const WordLink* Find(uint32_t from, uint32_t to) const;
  // Orders every word's links by target word for Find; an Add undoes it.
  void Seal();
  bool Known(uint32_t word) const { return word < known_.size() && known_[word]; }
  void MarkKnown(uint32_t word);

  // Phrase links, found by the first (lowest) of their source words.
  void AddPhrase(PhraseLink link);
  const std::vector<PhraseLink>& PhrasesFrom(uint32_t word) const;
  bool HasPhrases(uint32_t word) const { return word < phrases_.size() && !phrases_[word].empty(); }
  // Calls visit(word) for every target word a word links to, alone or in a
  // phrase it begins: where candidates are gathered through the links.
  template <typename Visit>
  void ForEachLinked(uint32_t word, Visit visit) const {
    for (const WordLink& link : From(word)) visit(link.to);
    if (!HasPhrases(word)) return;
    for (const PhraseLink& phrase : phrases_[word]) {
      for (uint32_t to : phrase.to) visit(to);
    }
  }

  // The share of a word's weight that the table's rows show to be noise.
  void SetDropped(uint32_t word, double share);
  double Dropped(uint32_t word) const { return word < dropped_.size() ? dropped_[word] : 0.0; }

 private:
  std::vector<std::vector<WordLink>> links_;
  std::vector<uint64_t> reach_;
  // Once sealed, every word's links ordered by target word, all words in
  // one array: word w's are at [first_[w], first_[w + 1]), their target
  // words in targets_ and their places in links_[w] in places_.
  std::vector<uint32_t> first_;
  std::vector<uint32_t> targets_;
  std::vector<uint32_t> places_;
  bool sealed_ = false;
  std::vector<bool> known_;
  std::vector<std::vector<PhraseLink>> phrases_;
  std::vector<double> dropped_;
};

#endif  // ZOR_SUGGEST_WORD_LINKS_H_
