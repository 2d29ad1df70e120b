// The review's answers as its page reads them: JSON in which every name is
// a value the page shows as text, and every sentence is worded here, once,
// from the run's plain data (the candidates, their marks, what took them,
// and what a merge makes of each item's row). The page holds no rule.
#ifndef ZOR_REVIEW_REVIEW_ANSWERS_H_
#define ZOR_REVIEW_REVIEW_ANSWERS_H_

#include <cstddef>
#include <nlohmann/json.hpp>
#include <vector>

#include "review/review_run.h"
#include "review/typed_targets.h"

// The source classes that have items to review, in the dictionary's order.
std::vector<size_t> ClassesToReview(const ReviewRun& run);

// A line of the page's list per source class:
// [key, label, parent, items, open items, open items the tool accepted].
nlohmann::json ClassLinesJson(const ReviewRun& run, const std::vector<size_t>& sources);

// Everything the page shows of one source class's review.
nlohmann::json ClassReviewJson(const ReviewRun& run, const TypedTargets& targets, size_t source);

// The comparison's counts, and the same as `check` words them.
nlohmann::json CountsJson(const FindingCounts& counts);

// How many items there are, how many are decided, how many are open.
nlohmann::json ProgressJson(const ReviewRun& run);

// The entries of the decisions file read at start that did not carry: a
// summary and one line each, in suggest's words.
nlohmann::json CarriedJson(const ReviewRun& run, const std::string& file);

#endif  // ZOR_REVIEW_REVIEW_ANSWERS_H_
