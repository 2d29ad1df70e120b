#include "text/name_hints.h"

#include <algorithm>
#include <utility>

#include "text/folded_text.h"

namespace {

// Short names are too easily one edit from each other to hint at; long
// ones would make the deletion index large for little use.
constexpr size_t kMinEditLength = 4;
constexpr size_t kMaxEditLength = 64;
// A deletion shared by very many names says nothing about any of them.
constexpr size_t kMaxNamesPerDeletion = 64;

std::string Deleted(const std::string& text, size_t at) {
  std::string out = text;
  out.erase(at, 1);
  return out;
}

// Optimal string alignment distance, stopped once it exceeds one.
bool WithinOneEdit(const std::string& a, const std::string& b) {
  if (a.size() > b.size()) return WithinOneEdit(b, a);
  if (b.size() - a.size() > 1) return false;
  size_t head = 0;
  while (head < a.size() && a[head] == b[head]) ++head;
  if (head == a.size()) return true;
  if (a.size() == b.size()) {
    if (a.compare(head + 1, std::string::npos, b, head + 1, std::string::npos) == 0) return true;
    return head + 1 < a.size() && a[head] == b[head + 1] && a[head + 1] == b[head] &&
           a.compare(head + 2, std::string::npos, b, head + 2, std::string::npos) == 0;
  }
  return a.compare(head, std::string::npos, b, head + 1, std::string::npos) == 0;
}

bool EditableLength(size_t length) { return length >= kMinEditLength && length <= kMaxEditLength; }

}  // namespace

std::string_view NameHints::Name(size_t index) const {
  size_t start = index == 0 ? 0 : ends_[index - 1];
  return std::string_view(text_).substr(start, ends_[index] - start);
}

void NameHints::Add(std::string_view name) {
  if (Contains(name)) return;
  text_ += name;
  ends_.push_back(text_.size());
  index_.reset();
  if (size() <= kLinearLimit) return;
  if (exact_.empty()) {
    for (size_t index = 0; index + 1 < size(); ++index) exact_.emplace(Name(index));
  }
  exact_.emplace(name);
}

bool NameHints::Contains(std::string_view name) const {
  if (size() > kLinearLimit) return exact_.count(std::string(name)) > 0;
  for (size_t index = 0; index < size(); ++index) {
    if (Name(index) == name) return true;
  }
  return false;
}

const NameHints::EditIndex& NameHints::Index() const {
  if (index_) return *index_;
  index_ = std::make_unique<EditIndex>();
  for (size_t index = 0; index < size(); ++index) {
    const std::string compact = FoldCompact(Name(index));
    index_->by_compact.try_emplace(compact, index);
    if (!EditableLength(compact.size())) continue;
    for (size_t at = 0; at < compact.size(); ++at) {
      auto& bucket = index_->by_deletion[Deleted(compact, at)];
      if (bucket.size() < kMaxNamesPerDeletion && (bucket.empty() || bucket.back() != index)) {
        bucket.push_back(index);
      }
    }
  }
  return *index_;
}

// The first name that folds to `compact`, else the first within one edit
// of it among those the index would hold: any one byte shorter, and those
// of the same length or one byte longer whose length the index takes.
std::optional<size_t> NameHints::Linear(const std::string& compact) const {
  std::vector<std::string> folded;
  folded.reserve(size());
  for (size_t index = 0; index < size(); ++index) {
    folded.push_back(FoldCompact(Name(index)));
    if (folded.back() == compact) return index;
  }
  if (!EditableLength(compact.size())) return std::nullopt;
  for (size_t index = 0; index < size(); ++index) {
    const std::string& known = folded[index];
    bool shorter = known.size() + 1 == compact.size();
    bool indexed = EditableLength(known.size()) &&
                   (known.size() == compact.size() || known.size() == compact.size() + 1);
    if ((shorter || indexed) && WithinOneEdit(known, compact)) return index;
  }
  return std::nullopt;
}

std::optional<size_t> NameHints::Indexed(const std::string& compact) const {
  const EditIndex& index = Index();
  if (auto found = index.by_compact.find(compact); found != index.by_compact.end()) {
    return found->second;
  }
  if (!EditableLength(compact.size())) return std::nullopt;
  std::optional<size_t> best;
  auto consider = [&](size_t candidate) {
    if (best && *best <= candidate) return;
    if (WithinOneEdit(FoldCompact(Name(candidate)), compact)) best = candidate;
  };
  // A known name one byte longer: the query is one of its deletions.
  if (auto found = index.by_deletion.find(compact); found != index.by_deletion.end()) {
    for (size_t candidate : found->second) consider(candidate);
  }
  for (size_t at = 0; at < compact.size(); ++at) {
    const std::string shorter = Deleted(compact, at);
    // A known name one byte shorter.
    if (auto found = index.by_compact.find(shorter); found != index.by_compact.end()) {
      consider(found->second);
    }
    // A known name of the same length, one byte changed or two swapped.
    if (auto found = index.by_deletion.find(shorter); found != index.by_deletion.end()) {
      for (size_t candidate : found->second) consider(candidate);
    }
  }
  return best;
}

std::optional<std::string> NameHints::DidYouMean(std::string_view name) const {
  if (Contains(name)) return std::nullopt;
  const std::string compact = FoldCompact(name);
  std::optional<size_t> index = size() > kLinearLimit ? Indexed(compact) : Linear(compact);
  if (!index) return std::nullopt;
  return std::string(Name(*index));
}

std::optional<std::string> NameHints::DidYouMeanIndexed(std::string_view name) const {
  if (Contains(name)) return std::nullopt;
  std::optional<size_t> index = Indexed(FoldCompact(name));
  if (!index) return std::nullopt;
  return std::string(Name(*index));
}
