#include "suggest/global_assignment.h"

#include <algorithm>
#include <utility>

namespace {

struct Owner {
  int item = -1;
  double score = 0;
};

std::ptrdiff_t Offset(size_t at) { return static_cast<std::ptrdiff_t>(at); }

bool Before(const Claim& a, const Claim& b) {
  return a.score != b.score ? a.score > b.score : a.target < b.target;
}

// An item's next pair in the walk from the best pair of all down, with its
// score at hand: the heap compares scores far more often than it moves.
struct Cursor {
  double score;
  uint32_t item;
  size_t at;
};

// Cursors in a heap, the next pair of all on top. An item's next pair takes
// its previous one's place, one sift instead of a removal and an insertion.
class CursorHeap {
 public:
  explicit CursorHeap(std::vector<Cursor> cursors) : heap_(std::move(cursors)) {
    std::make_heap(heap_.begin(), heap_.end(), Later);
  }
  bool empty() const { return heap_.empty(); }
  const Cursor& top() const { return heap_.front(); }
  void pop() {
    std::pop_heap(heap_.begin(), heap_.end(), Later);
    heap_.pop_back();
  }
  void ReplaceTop(const Cursor& next) {
    size_t at = 0;
    const size_t size = heap_.size();
    for (;;) {
      size_t child = 2 * at + 1;
      if (child >= size) break;
      if (child + 1 < size && Later(heap_[child], heap_[child + 1])) ++child;
      if (!Later(next, heap_[child])) break;
      heap_[at] = heap_[child];
      at = child;
    }
    heap_[at] = next;
  }

 private:
  // Pairs are walked by score, then lower item first.
  static bool Later(const Cursor& a, const Cursor& b) {
    return a.score != b.score ? a.score < b.score : a.item > b.item;
  }

  std::vector<Cursor> heap_;
};

// Walks all pairs from the best down (ties: lower item, then lower target
// first) without listing them: each item's own list is in that order, so
// merging the lists' heads is enough.
std::vector<Owner> TakeGreedily(const std::deque<Claim>& claims, const std::vector<size_t>& starts,
                                size_t target_count, const AssignmentRules& rules) {
  const size_t items = starts.size() - 1;
  std::vector<Cursor> first;
  for (size_t i = 0; i < items; ++i) {
    if (starts[i] < starts[i + 1])
      first.push_back(Cursor{claims[starts[i]].score, static_cast<uint32_t>(i), starts[i]});
  }
  CursorHeap heads(std::move(first));
  std::vector<Owner> owners(target_count);
  while (!heads.empty()) {
    const Cursor head = heads.top();
    const Claim& claim = claims[head.at];
    Owner& owner = owners[claim.target];
    const bool shared = owner.item >= 0 && claim.score >= rules.strong &&
                        owner.score - claim.score <= rules.about_equal;
    if (owner.item < 0 || shared) {
      if (owner.item < 0) owner = Owner{static_cast<int>(head.item), claim.score};
      heads.pop();  // placed: its other pairs no longer count
    } else if (head.at + 1 < starts[head.item + 1]) {
      heads.ReplaceTop(Cursor{claims[head.at + 1].score, head.item, head.at + 1});
    } else {
      heads.pop();
    }
  }
  return owners;
}

}  // namespace

double RowTakenFactor(const std::vector<uint32_t>& rows_taking, const AssignmentRules& rules) {
  size_t rows = 0, targets = 0;
  for (uint32_t n : rows_taking) {
    rows += n;
    targets += n > 0 ? 1 : 0;
  }
  // The share of rows whose target another row took before, with one row
  // of each kind assumed: a table of two rows says little either way.
  const double sharing =
      (static_cast<double>(rows - targets) + 1.0) / (static_cast<double>(rows) + 2.0);
  return 1.0 - (1.0 - rules.demoted_by_row) * (1.0 - sharing);
}

int32_t TakerOf(const std::vector<int32_t>& takers, const Claim& claim) {
  if ((claim.evidence & kSignalAssignment) == 0) return kTakenByNone;
  if ((claim.evidence & kMarkTakenByRow) != 0) return kTakenByRow;
  return claim.target < takers.size() ? takers[claim.target] : kTakenByNone;
}

void AssignClaims(std::deque<Claim>& claims, const std::vector<size_t>& starts,
                  const std::vector<uint32_t>& rows_taking, size_t target_count,
                  const AssignmentRules& rules, std::vector<Contest>* contests,
                  std::vector<int32_t>* takers) {
  if (starts.empty()) return;
  const size_t items = starts.size() - 1;
  for (size_t i = 0; i < items; ++i) {
    std::sort(claims.begin() + Offset(starts[i]), claims.begin() + Offset(starts[i + 1]), Before);
  }
  const std::vector<Owner> owners = TakeGreedily(claims, starts, target_count, rules);
  if (takers != nullptr) {
    takers->assign(target_count, kTakenByNone);
    for (size_t t = 0; t < target_count; ++t) (*takers)[t] = owners[t].item;
  }
  if (contests != nullptr) contests->assign(items, Contest{});
  const double by_row = RowTakenFactor(rows_taking, rules);
  for (size_t i = 0; i < items; ++i) {
    Contest contest;
    size_t place = 0;
    const auto begin = claims.begin() + Offset(starts[i]),
               end = claims.begin() + Offset(starts[i + 1]);
    for (auto c = begin; c != end; ++c) {
      const Owner& owner = owners[c->target];
      double factor = 1.0;
      if (owner.item >= 0 && owner.item != static_cast<int>(i) &&
          owner.score > c->score + rules.about_equal) {
        factor = rules.demoted;
      } else if (rows_taking[c->target] > 0 && c->score < 1.0) {
        factor = 1.0 - (1.0 - by_row) / rows_taking[c->target];
        c->evidence |= kMarkTakenByRow;
      }
      if (factor < 1.0) c->evidence |= kSignalAssignment;
      const double score = c->score * factor;
      if (contests == nullptr) {
        c->score = score;
      } else if (score > contest.first || place == 0) {
        contest.second = contest.first;
        contest.first = score;
        contest.same_first = place == 0;
      } else if (score > contest.second) {
        contest.second = score;
      }
      ++place;
    }
    if (contests != nullptr) {
      (*contests)[i] = contest;
      continue;
    }
    std::stable_sort(begin, end, [](const Claim& a, const Claim& b) { return a.score > b.score; });
  }
}

void AssignGlobally(std::vector<std::vector<ClassCandidate>>& per_item,
                    const std::vector<uint32_t>& rows_taking, size_t target_count,
                    const AssignmentRules& rules, std::vector<int32_t>* takers_out) {
  std::deque<Claim> claims;
  std::vector<size_t> starts{0};
  for (const std::vector<ClassCandidate>& candidates : per_item) {
    for (const ClassCandidate& c : candidates) {
      claims.push_back(Claim{c.score, static_cast<uint32_t>(c.target), c.evidence});
    }
    starts.push_back(claims.size());
  }
  std::vector<int32_t> own_takers;
  std::vector<int32_t>& takers = takers_out != nullptr ? *takers_out : own_takers;
  AssignClaims(claims, starts, rows_taking, target_count, rules, nullptr, &takers);
  for (size_t i = 0; i < per_item.size(); ++i) {
    per_item[i].clear();
    for (size_t k = starts[i]; k < starts[i + 1]; ++k) {
      const Claim& claim = claims[k];
      ClassCandidate candidate{claim.target, claim.score, claim.evidence, kTakenByNone};
      candidate.taken_by = TakerOf(takers, claim);
      per_item[i].push_back(candidate);
    }
  }
}
