#include "lexicon/phrase_key.h"

#include <array>

namespace {

// Lower-case letters lie above '_': one comparison settles most characters.
bool JoinsWords(char c) { return c <= '_' && (c == ' ' || c == '\t' || c == '_' || c == '-'); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Characters a key holds only in another form: upper-case letters, and what
// joins words (a key joins them with single blanks, checked apart).
constexpr auto kReformed = [] {
  std::array<bool, 256> reformed{};
  for (int c = 'A'; c <= 'Z'; ++c) reformed[c] = true;
  for (unsigned char c : {'\t', '_', '-'}) reformed[c] = true;
  return reformed;
}();

constexpr uint64_t kFnvBasis = 0xCBF29CE484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001B3ull;

// The final mix of a hash's bits, so that both halves serve as well.
uint64_t Mixed(uint64_t hash) {
  hash ^= hash >> 33;
  hash *= 0xFF51AFD7ED558CCDull;
  hash ^= hash >> 33;
  hash *= 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 33;
  return hash;
}

// Calls emit(c) for each character of PhraseKey(text).
template <typename Emit>
void ForEachKeyChar(std::string_view text, Emit&& emit) {
  bool started = false, blank_pending = false;
  for (char c : text) {
    if (JoinsWords(c)) {
      blank_pending = started;
      continue;
    }
    if (blank_pending) emit(' ');
    blank_pending = false;
    started = true;
    emit(LowerAscii(c));
  }
}

}  // namespace

// Most phrases come already in the form of a key: words in lower case, one
// blank apart. A table settles each character with one look.
bool IsPhraseKey(std::string_view text) {
  if (!text.empty() && (text.front() == ' ' || text.back() == ' ')) return false;
  char previous = 'a';
  for (char c : text) {
    if (kReformed[static_cast<unsigned char>(c)] || (c == ' ' && previous == ' ')) return false;
    previous = c;
  }
  return true;
}

void AppendPhraseKey(std::string_view text, std::string& key) {
  if (IsPhraseKey(text)) {
    key.append(text);
    return;
  }
  key.reserve(key.size() + text.size());
  ForEachKeyChar(text, [&](char c) { key += c; });
}

std::string PhraseKey(std::string_view text) {
  std::string key;
  AppendPhraseKey(text, key);
  return key;
}

uint64_t PhraseKeyHash(std::string_view text) {
  // FNV-1a over the key's characters, then a final mix. Most texts are keys
  // already (the matcher's words, WordNet's one-word lemmas): their bytes
  // are hashed as they are, in the same pass that finds they may be.
  uint64_t hash = kFnvBasis;
  if (text.empty() || (text.front() != ' ' && text.back() != ' ')) {
    char previous = 'a';
    size_t at = 0;
    for (; at < text.size(); ++at) {
      const char c = text[at];
      if (kReformed[static_cast<unsigned char>(c)] || (c == ' ' && previous == ' ')) break;
      previous = c;
      hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime;
    }
    if (at == text.size()) return Mixed(hash);
  }
  hash = kFnvBasis;
  ForEachKeyChar(text, [&](char c) { hash = (hash ^ static_cast<unsigned char>(c)) * kFnvPrime; });
  return Mixed(hash);
}

bool MatchesKey(std::string_view text, std::string_view key) {
  size_t at = 0;
  bool blank_pending = false;
  for (char c : text) {
    if (JoinsWords(c)) {
      blank_pending = at > 0;
      continue;
    }
    if (blank_pending && (at == key.size() || key[at++] != ' ')) return false;
    blank_pending = false;
    if (at == key.size() || key[at++] != LowerAscii(c)) return false;
  }
  return at == key.size();
}

size_t KeyWordCount(std::string_view text) {
  size_t words = 0;
  bool in_word = false;
  for (char c : text) {
    if (!JoinsWords(c) && !in_word) ++words;
    in_word = !JoinsWords(c);
  }
  return words;
}
