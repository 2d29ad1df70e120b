// The words behind a candidate's lexicon evidence, for people: of a source
// name and a target name, the relation that joins them ("renal ~ kidney",
// "sieve ~ strainer"). Kept from the matcher's links to the report, which
// names it beside the evidence words.
#ifndef ZOR_SUGGEST_LEXICON_EVIDENCE_H_
#define ZOR_SUGGEST_LEXICON_EVIDENCE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class LexiconEvidence {
 public:
  // `from` and `to`: the words of each side as the matcher stems them.
  void Add(std::vector<std::string> from, std::vector<std::string> to, std::string said,
           uint32_t signal);
  bool Empty() const { return entries_.empty(); }

  // The first relation of `signal`'s kind whose words the two names hold,
  // as said when added ("renal ~ kidney"); empty when none does. May be
  // asked on several threads at once.
  std::string Explain(std::string_view source, std::string_view target, uint32_t signal) const;

 private:
  struct Entry {
    std::vector<std::string> from;
    std::vector<std::string> to;
    std::string said;
    uint32_t signal = 0;
  };
  std::vector<Entry> entries_;
  std::unordered_map<std::string, std::vector<uint32_t>> by_first_;  // from's first word -> entries
};

#endif  // ZOR_SUGGEST_LEXICON_EVIDENCE_H_
