// A small database in WordNet 3.0's file format, written by the tests into
// a folder of their own: synsets are added in each word's sense order, and
// the byte offsets of index lines and pointers are worked out when the
// files are written (every offset is eight digits, so a line's length does
// not depend on them).
#ifndef ZOR_TESTS_LEXICON_TINY_WORDNET_H_
#define ZOR_TESTS_LEXICON_TINY_WORDNET_H_

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace zor_test {

class TinyWordNet {
 public:
  struct Pointer {
    std::string symbol;   // "\\" pertainym, "@" hypernym, ...
    int target;           // a synset number Add returned
    int source_word = 0;  // from 1; 0 for the synset as a whole
    int target_word = 0;
  };

  // A synset of part of speech `pos` (n, v, a, s, r); its words as WordNet
  // writes them ("Eustachian_tube", "galore(ip)").
  int Add(char pos, std::vector<std::string> words, std::vector<Pointer> pointers = {}) {
    synsets_.push_back({pos, std::move(words), std::move(pointers)});
    return static_cast<int>(synsets_.size()) - 1;
  }
  // A line of an exception list: "geese goose".
  void AddException(char pos, const std::string& line) { exceptions_[File(pos)] += line + "\n"; }

  // The twelve files the reader needs, in `folder`.
  void Write(const std::filesystem::path& folder) const {
    std::filesystem::create_directories(folder);
    std::map<std::string, std::string> data;
    std::vector<long> offsets(synsets_.size());
    for (const char* file : {"noun", "verb", "adj", "adv"}) data[file] = Licence();
    for (size_t i = 0; i < synsets_.size(); ++i) {
      std::string& text = data[File(synsets_[i].pos)];
      offsets[i] = static_cast<long>(text.size());
      text += Record(synsets_[i], 0, offsets) + "\n";
    }
    for (size_t i = 0; i < synsets_.size(); ++i) {
      std::string& text = data[File(synsets_[i].pos)];
      std::string line = Record(synsets_[i], offsets[i], offsets);
      text.replace(static_cast<size_t>(offsets[i]), line.size(), line);
    }
    for (const auto& [file, text] : data) {
      WriteText(folder / ("data." + file), text);
      WriteText(folder / ("index." + file), Index(file, offsets));
      auto exceptions = exceptions_.find(file);
      WriteText(folder / (file + ".exc"),
                exceptions == exceptions_.end() ? "" : exceptions->second);
    }
  }

 private:
  struct Synset {
    char pos;
    std::vector<std::string> words;
    std::vector<Pointer> pointers;
  };

  static std::string File(char pos) {
    return pos == 'n' ? "noun" : pos == 'v' ? "verb" : pos == 'r' ? "adv" : "adj";
  }
  static char IndexLetter(const std::string& file) {
    return file == "noun" ? 'n' : file == "verb" ? 'v' : file == "adj" ? 'a' : 'r';
  }
  static std::string Licence() {
    return "  1 This database is a test's own, in WordNet's format.  \n  2   \n";
  }
  static std::string Digits(long value, int width) {
    char text[32];
    std::snprintf(text, sizeof text, "%0*ld", width, value);
    return text;
  }
  static std::string Hex(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", width, value);
    return text;
  }
  static std::string Lemma(std::string word) {
    if (size_t marker = word.find('('); marker != std::string::npos) word.resize(marker);
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return word;
  }

  std::string Record(const Synset& synset, long offset, const std::vector<long>& offsets) const {
    std::string line = Digits(offset, 8) + " 03 " + synset.pos + " " +
                       Hex(static_cast<int>(synset.words.size()), 2);
    for (const std::string& word : synset.words) line.append(" ").append(word).append(" 0");
    line.append(" ").append(Digits(static_cast<long>(synset.pointers.size()), 3));
    for (const Pointer& pointer : synset.pointers) {
      const Synset& target = synsets_[static_cast<size_t>(pointer.target)];
      line += " " + pointer.symbol + " " + Digits(offsets[static_cast<size_t>(pointer.target)], 8) +
              " " + (target.pos == 's' ? 'a' : target.pos) + " " + Hex(pointer.source_word, 2) +
              Hex(pointer.target_word, 2);
    }
    return line + " | a gloss  ";
  }

  std::string Index(const std::string& file, const std::vector<long>& offsets) const {
    std::map<std::string, std::vector<long>> senses;
    std::map<std::string, std::set<std::string>> symbols;
    for (size_t i = 0; i < synsets_.size(); ++i) {
      if (File(synsets_[i].pos) != file) continue;
      for (const std::string& word : synsets_[i].words) {
        senses[Lemma(word)].push_back(offsets[i]);
        for (const Pointer& pointer : synsets_[i].pointers)
          symbols[Lemma(word)].insert(pointer.symbol);
      }
    }
    std::string text = Licence();
    for (const auto& [lemma, places] : senses) {
      const std::string count = std::to_string(places.size());
      text += lemma + " " + IndexLetter(file) + " " + count + " " +
              std::to_string(symbols[lemma].size());
      for (const std::string& symbol : symbols[lemma]) text.append(" ").append(symbol);
      text.append(" ").append(count).append(" 0");
      for (long place : places) text.append(" ").append(Digits(place, 8));
      text += "  \n";
    }
    return text;
  }

  static void WriteText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  }

  std::vector<Synset> synsets_;
  std::map<std::string, std::string> exceptions_;
};

// The tests' own small database: a pertainym both ways (renal, nephritic
// and kidney; cardiac and the second sense of heart), a collocation with a
// synonym (Eustachian tube, auditory tube) whose last word is a noun of its
// own (so that "auditory tubes" finds it), a word whose second sense has
// synonyms its first lacks (chair), a plural found through the exception
// list (geese), an adjective satellite with a marker (galore), one verb and
// one adverb.
inline void WriteTinyDatabase(const std::filesystem::path& folder) {
  TinyWordNet wordnet;
  const int kidney = wordnet.Add('n', {"kidney"});
  wordnet.Add('a', {"nephritic", "renal"}, {{"\\", kidney, 1, 1}, {"\\", kidney, 2, 1}});
  wordnet.Add('n', {"heart", "bosom"});
  const int organ = wordnet.Add('n', {"heart"});
  wordnet.Add('a', {"cardiac"}, {{"\\", organ, 1, 1}});
  const int tube = wordnet.Add('n', {"tube"});
  wordnet.Add('n', {"Eustachian_tube", "auditory_tube"}, {{"@", tube}});
  wordnet.Add('n', {"chair"});
  wordnet.Add('n', {"president", "chairman", "chair"});
  wordnet.Add('n', {"goose", "honker"});
  wordnet.Add('n', {"valve"});
  wordnet.Add('v', {"supply", "provide"});
  wordnet.Add('s', {"galore(ip)", "plenty"});
  wordnet.Add('r', {"quickly", "rapidly"});
  wordnet.AddException('n', "geese goose");
  wordnet.Write(folder);
}

}  // namespace zor_test

#endif  // ZOR_TESTS_LEXICON_TINY_WORDNET_H_
