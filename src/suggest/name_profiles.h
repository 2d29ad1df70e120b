// Every name of both dictionaries read once: its words as numbers (stems
// when stems are in use), shared by source and target so that equal words
// are equal numbers, and its compact folded form, numbered too. A profile
// is a small view into one pool that the vocabulary owns: a dictionary of
// hundreds of thousands of attribute names holds no vector or string per name.
#ifndef ZOR_SUGGEST_NAME_PROFILES_H_
#define ZOR_SUGGEST_NAME_PROFILES_H_

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "suggest/word_stems.h"

struct NameProfile {
  static constexpr uint32_t kNoCompact = 0;  // the compact form of a name without words

  std::span<const uint32_t> words() const { return {data, size}; }  // distinct, sorted
  // Per word: the folded word it came from (its first one), in the singular.
  std::span<const uint32_t> forms() const { return {data + size, size}; }
  bool empty() const { return size == 0; }
  // The word the name is about, as a word of words() ("Pump" in "Pump,
  // Centrifugal", "Call" in "Call for Papers", "Chair" in "Session Chair"),
  // or kNoHead (a code: "FMA:7163").
  static constexpr uint32_t kNoHead = UINT32_MAX;
  uint32_t head() const { return size == 0 ? kNoHead : data[2 * size]; }

  const uint32_t* data = nullptr;  // the words, then as many forms, then the head
  uint32_t size = 0;
  uint32_t compact = kNoCompact;
};

// Storage that never moves once given out, so that profiles may point into it.
class ProfilePool {
 public:
  uint32_t* Allocate(size_t count);

 private:
  static constexpr size_t kBlock = size_t{1} << 16;
  std::vector<std::unique_ptr<uint32_t[]>> blocks_;
  uint32_t* free_ = nullptr;
  size_t left_ = 0;
};

// The words seen so far, numbered in the order they were first seen, and
// the profiles made from them.
class WordVocabulary {
 public:
  explicit WordVocabulary(bool use_stems);

  // Names met again (attribute labels repeat across thousands of classes)
  // share the profile made the first time.
  NameProfile Profile(std::string_view name);
  // Drops the memory of names met, once every profile is made.
  void ForgetNames();
  // The profile without the words (in the same form) that `other` holds.
  NameProfile WithoutWordsOf(const NameProfile& profile, const NameProfile& other);
  const std::string& Word(uint32_t id) const { return words_[id]; }
  // The number names give a folded word (its stem's, when stems are in
  // use), or kUnknown when no name holds it: a word no name holds can
  // link nothing.
  static constexpr uint32_t kUnknown = UINT32_MAX;
  uint32_t Known(const std::string& folded);
  size_t size() const { return words_.size(); }

 private:
  // Enough for the names that repeat; names met once (most keys) would
  // only cost memory.
  static constexpr size_t kMostRemembered = size_t{1} << 16;

  NameProfile NewProfile(std::string_view name);
  uint32_t Intern(const std::string& word);
  uint32_t InternCompact(const std::string& compact);
  NameProfile Store(const std::vector<uint32_t>& words, const std::vector<uint32_t>& forms,
                    uint32_t compact, uint32_t head);

  bool use_stems_;
  WordStemmer stemmer_;
  std::vector<std::string> words_;
  std::unordered_map<std::string, uint32_t> ids_;
  std::unordered_map<std::string, uint32_t> compacts_;
  ProfilePool pool_;
  // Looked up by the name as it stands, without a copy: most names are met again.
  struct NameHash {
    using is_transparent = void;
    size_t operator()(std::string_view name) const { return std::hash<std::string_view>()(name); }
  };
  std::unordered_map<std::string, NameProfile, NameHash, std::equal_to<>> remembered_;
};

// One class's names: its label, and its key when that reads differently.
struct ClassNames {
  NameProfile label;
  NameProfile key;
  // An attribute's label without the words of its class's label
  // ("Name_of_conference" in class Conference): empty when nothing is left
  // or nothing was taken.
  NameProfile bare;
  bool key_differs = false;
  // Attribute names only: names of the same three profiles (a name met
  // again) share a number, so that answers about them can be remembered.
  // Unnumbered once too many distinct names came before.
  static constexpr uint32_t kUnnumbered = UINT32_MAX;
  uint32_t number = kUnnumbered;
};

#endif  // ZOR_SUGGEST_NAME_PROFILES_H_
