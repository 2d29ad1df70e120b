// Where a source class's candidates come from: inverted indexes from words
// (and the words linked to them) to the target classes that hold them, and
// from compact names to classes. Never all pairs: each word gives at most a
// bounded number of classes, those whose names are lightest first, since a
// common word alone can only make a short name alike.
#ifndef ZOR_SUGGEST_CLASS_CANDIDATES_H_
#define ZOR_SUGGEST_CLASS_CANDIDATES_H_

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "suggest/acceptance.h"
#include "suggest/match_context.h"
#include "suggest/name_similarity.h"

class ClassCandidateIndex {
 public:
  explicit ClassCandidateIndex(const MatchContext& context);

  // What one thread's gathering marks, so that the index itself is only read.
  struct Scratch {
    std::vector<uint32_t> stamp;  // per target class: the gathering that last took it
    uint32_t mark = 0;
  };

  // Target classes worth scoring for the source class, without repeats;
  // `row` is the name the class's row gives, or an empty profile.
  std::vector<uint32_t> Gather(size_t source, const NameProfile& row, Scratch& scratch) const;

  // Whether the target class's label and key read as the source class's
  // label and key, and no other class a row can name reads as either: the
  // pair a user would make at once.
  bool OnlyExactMatch(size_t source, size_t target) const;

  // Whether the target class's label reads as the source class's label, or
  // its key as the source's key: the class's own name, with no word
  // rewritten, added or dropped.
  bool ReadsAsOwn(size_t source, size_t target) const;

 private:
  void AddPostings(uint32_t word, std::vector<uint32_t>& out, Scratch& scratch) const;

  const MatchContext& context_;
  std::vector<std::vector<uint32_t>> postings_;
  std::unordered_map<uint32_t, std::vector<uint32_t>> by_compact_;
};

// The best likeness among the two classes' labels and keys, with the
// evidence of which names agreed.
Likeness ClassNameLikeness(const MatchContext& context, size_t source, size_t target);

// Whether a label or key of each class has the same head word (or linked
// ones); with `same_form`, not heads that share only their stem.
bool ClassHeadsMeet(const MatchContext& context, size_t source, size_t target,
                    bool same_form = false);

// How a target class's words stand to the source class's (WordsCover, over
// a label or key of each).
WordRelation RelateWords(const MatchContext& context, size_t source, size_t target);

// How alike the name a row gives (mistyped, say) is to a target class's key or label.
Likeness RowNameLikeness(const MatchContext& context, const NameProfile& row, size_t target);

#endif  // ZOR_SUGGEST_CLASS_CANDIDATES_H_
