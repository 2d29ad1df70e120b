#include "suggest/name_words.h"

#include "text/folded_text.h"

namespace {

enum class CharKind { kGap, kLower, kUpper, kDigit, kOther };

// Bytes above ASCII belong to letters of other scripts: they continue a
// word and never split one, whatever their case.
CharKind KindOf(unsigned char c) {
  if (c >= 'a' && c <= 'z') return CharKind::kLower;
  if (c >= 'A' && c <= 'Z') return CharKind::kUpper;
  if (c >= '0' && c <= '9') return CharKind::kDigit;
  if (c >= 0x80) return CharKind::kOther;
  return CharKind::kGap;
}

bool IsAscii(std::string_view word) {
  for (char c : word) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

std::string FoldWord(std::string_view word) {
  if (!IsAscii(word)) return FoldText(word);
  std::string folded(word);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// Whether a word ends before position `i`, given the kinds around it.
bool StartsWord(std::string_view name, size_t i) {
  const CharKind before = KindOf(static_cast<unsigned char>(name[i - 1]));
  const CharKind here = KindOf(static_cast<unsigned char>(name[i]));
  if ((before == CharKind::kDigit) != (here == CharKind::kDigit)) return true;
  if (before == CharKind::kLower && here == CharKind::kUpper) return true;
  if (before == CharKind::kUpper && here == CharKind::kUpper && i + 1 < name.size()) {
    return KindOf(static_cast<unsigned char>(name[i + 1])) == CharKind::kLower;
  }
  return false;
}

bool AllCapitals(std::string_view word) {
  for (char c : word) {
    if (KindOf(static_cast<unsigned char>(c)) != CharKind::kUpper) return false;
  }
  return !word.empty();
}

}  // namespace

std::vector<NameWord> NameWordsWithCase(std::string_view name) {
  std::vector<NameWord> words;
  size_t start = std::string_view::npos;
  auto close = [&](size_t end) {
    if (start == std::string_view::npos) return;
    const std::string_view word = name.substr(start, end - start);
    std::string folded = FoldWord(word);
    if (!folded.empty()) words.push_back({std::move(folded), AllCapitals(word)});
    start = std::string_view::npos;
  };
  for (size_t i = 0; i < name.size(); ++i) {
    if (KindOf(static_cast<unsigned char>(name[i])) == CharKind::kGap) {
      close(i);
      continue;
    }
    if (start != std::string_view::npos && StartsWord(name, i)) close(i);
    if (start == std::string_view::npos) start = i;
  }
  close(name.size());
  return words;
}

std::vector<std::string> NameWords(std::string_view name) {
  std::vector<std::string> words;
  for (NameWord& word : NameWordsWithCase(name)) words.push_back(std::move(word.folded));
  return words;
}

std::string CompactName(const std::vector<std::string>& words) {
  std::string compact;
  for (const std::string& word : words) compact += word;
  return compact;
}
