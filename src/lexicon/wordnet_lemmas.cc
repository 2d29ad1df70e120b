// The lemmas a phrase stands for: itself, or its base forms by WordNet's
// exception lists and rules of detachment, in every part of speech.
#include <algorithm>

#include "lexicon/detachment_rules.h"
#include "lexicon/phrase_key.h"
#include "lexicon/wordnet_database.h"

namespace {

constexpr WordNetPos kInflectedPos[] = {WordNetPos::kNoun, WordNetPos::kVerb,
                                        WordNetPos::kAdjective};

// Calls visit(word) for each word of a text whose words are one blank apart.
template <typename Visit>
void ForEachWord(std::string_view text, Visit&& visit) {
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find(' ', start), text.size());
    if (end > start) visit(text.substr(start, end - start));
    start = end + 1;
  }
}

}  // namespace

// What the index files and exception lists hold for one key.
struct WordNetDatabase::KeyFacts {
  std::vector<std::pair<WordNetPos, IndexEntry>> entries;
  std::array<std::string_view, kWordNetPosCount> exception_bases{};

  bool HasEntry(WordNetPos pos) const {
    return std::any_of(entries.begin(), entries.end(),
                       [&](const auto& entry) { return entry.first == pos; });
  }
};

WordNetDatabase::KeyFacts WordNetDatabase::Facts(std::string_view key) const {
  KeyFacts facts;
  table_.ForEachCandidate(PhraseKeyHash(key), [&](uint32_t place) {
    const uint32_t kind = place >> kPlaceShift;
    const std::string_view line = LineAt(place);
    if (!MatchesKey(line.substr(0, line.find(' ')), key)) return;
    if (kind < kWordNetPosCount) {
      IndexEntry entry;
      if (ParseIndexLine(line, static_cast<WordNetPos>(kind), entry)) {
        facts.entries.emplace_back(static_cast<WordNetPos>(kind), entry);
      }
      return;
    }
    ExceptionEntry exception;
    std::string_view& bases = facts.exception_bases[kind - kWordNetPosCount];
    if (bases.empty() && ParseExceptionLine(line, exception)) bases = exception.bases;
  });
  return facts;
}

// The base form of one word of a collocation in `pos`: its first
// exception, else the first detached form the index holds, else itself.
std::string WordNetDatabase::BaseWord(std::string_view word, const KeyFacts& facts,
                                      WordNetPos pos) const {
  const std::string_view bases = facts.exception_bases[static_cast<int>(pos)];
  if (!bases.empty()) return PhraseKey(bases.substr(0, bases.find(' ')));
  std::string form;
  for (size_t rule = 0; rule < DetachmentRuleCount(pos); ++rule) {
    if (DetachedForm(word, pos, rule, form) && Facts(form).HasEntry(pos)) return form;
  }
  return std::string(word);
}

// A collocation found as written, through an exception or with its words'
// base forms holds each word of the key in some form: as written, or
// detached by a rule (an irregular form is marked as the exception list
// writes it).
bool WordNetDatabase::MayBeCollocation(std::string_view key) const {
  bool may = true;
  std::string form;
  ForEachWord(key, [&](std::string_view word) {
    if (!may || collocation_words_.MayHold(word)) return;
    bool held = false;
    if (!MayBeInflected(word)) {
      may = false;
      return;
    }
    for (WordNetPos pos : kInflectedPos) {
      for (size_t rule = 0; !held && rule < DetachmentRuleCount(pos); ++rule) {
        held = DetachedForm(word, pos, rule, form) && collocation_words_.MayHold(form);
      }
    }
    may = held;
  });
  return may;
}

std::vector<WordNetDatabase::Lemma> WordNetDatabase::Lemmas(std::string_view key) const {
  std::vector<Lemma> lemmas;
  if (key.empty() || key.size() > kLongestPhrase) return lemmas;
  const bool collocation = key.find(' ') != std::string_view::npos;
  if (collocation && !MayBeCollocation(key)) return lemmas;
  auto add_entries = [&](const KeyFacts& facts, std::string_view lemma_key, WordNetPos pos) {
    bool added = false;
    for (const auto& [entry_pos, entry] : facts.entries) {
      if (entry_pos != pos) continue;
      // Named apart: clang 14 lets no lambda capture a structured binding.
      const char* const lemma_text = entry.lemma.data();
      const bool known = std::any_of(lemmas.begin(), lemmas.end(), [&](const Lemma& lemma) {
        return lemma.pos == pos && lemma.entry.lemma.data() == lemma_text;
      });
      if (!known) lemmas.push_back({pos, entry, std::string(lemma_key)});
      added = true;
    }
    return added;
  };
  const KeyFacts facts = Facts(key);
  std::vector<std::pair<std::string_view, KeyFacts>> words;  // a collocation's, when needed
  for (int n = 0; n < kWordNetPosCount; ++n) {
    const WordNetPos pos = static_cast<WordNetPos>(n);
    const bool as_written = add_entries(facts, key, pos);
    // An exception stands in for the rules: "axes" comes from "axe" and
    // "axis", and from nothing else.
    const std::string_view bases = facts.exception_bases[n];
    ForEachWord(bases, [&](std::string_view base) {
      const std::string base_key = PhraseKey(base);
      add_entries(Facts(base_key), base_key, pos);
    });
    if (!bases.empty() || as_written || pos == WordNetPos::kAdverb) continue;
    if (!collocation) {
      std::string form;
      for (size_t rule = 0; rule < DetachmentRuleCount(pos); ++rule) {
        if (DetachedForm(key, pos, rule, form) && add_entries(Facts(form), form, pos)) break;
      }
      continue;
    }
    if (words.empty()) {
      ForEachWord(key, [&](std::string_view word) { words.emplace_back(word, Facts(word)); });
    }
    std::string joined;
    for (const auto& [word, word_facts] : words) {
      if (!joined.empty()) joined += ' ';
      joined += BaseWord(word, word_facts, pos);
    }
    if (joined != key) add_entries(Facts(joined), joined, pos);
  }
  return lemmas;
}

bool WordNetDatabase::IsEntry(std::string_view phrase) const {
  // The matcher asks about runs of its own words, keys already.
  return !(IsPhraseKey(phrase) ? Lemmas(phrase) : Lemmas(PhraseKey(phrase))).empty();
}
