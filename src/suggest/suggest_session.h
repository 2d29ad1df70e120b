// The matcher kept ready after its run, for a review: the suggestions it
// made, and the attribute items of a class ranked again once a reviewer
// places the class in a target of their choosing. `Suggest` makes the same
// suggestions and releases what it read to make them.
#ifndef ZOR_SUGGEST_SUGGEST_SESSION_H_
#define ZOR_SUGGEST_SUGGEST_SESSION_H_

#include <cstddef>
#include <memory>
#include <vector>

#include "suggest/suggest_model.h"

struct MatchContext;
struct ClassImage;
class AttributeWordIndex;

class SuggestSession {
 public:
  // `input` must outlive the session; its items must lie within its
  // dictionaries (a run's always do).
  SuggestSession(const SuggestInput& input, const SuggestOptions& options);
  ~SuggestSession();
  SuggestSession(const SuggestSession&) = delete;
  SuggestSession& operator=(const SuggestSession&) = delete;

  const SuggestInput& Input() const;
  const SuggestOptions& Options() const;
  // What `Suggest` answers for the input.
  const SuggestOutput& Output() const { return output_; }

  // The target class the attributes of source class `source` were ranked
  // in first as sure of it as of a row's (its row's target, or the class's
  // accepted candidate), or -1 where there was none.
  int SettledHomeOf(size_t source) const;

  // The attribute items `items` (numbers into the input's attribute items,
  // all of one source class) ranked as if a row of the table placed their
  // class in target class `target`: they look there and in its ancestors
  // only, and contest for targets only with each other. Their candidates' takers are numbers into
  // the input's attribute items.
  std::vector<AttributeSuggestion> PlacedIn(const std::vector<size_t>& items, size_t target) const;

 private:
  std::unique_ptr<MatchContext> context_;
  std::shared_ptr<const AttributeWordIndex> words_;
  std::vector<int> homes_;     // per source class, its settled home or -1
  std::vector<size_t> first_;  // per target class, the number of its first attribute
  SuggestOutput output_;
};

#endif  // ZOR_SUGGEST_SUGGEST_SESSION_H_
