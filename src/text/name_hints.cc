#include "text/name_hints.h"

#include <algorithm>

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

bool EditableLength(size_t length) {
  return length >= kMinEditLength && length <= kMaxEditLength;
}

}  // namespace

void NameHints::Add(std::string_view name) {
  if (!exact_.insert(std::string(name)).second) return;
  const size_t index = names_.size();
  names_.emplace_back(name);
  const std::string compact = FoldCompact(name);
  byCompact_.try_emplace(compact, index);
  if (!EditableLength(compact.size())) return;
  for (size_t at = 0; at < compact.size(); ++at) {
    auto& bucket = byDeletion_[Deleted(compact, at)];
    if (bucket.size() < kMaxNamesPerDeletion &&
        (bucket.empty() || bucket.back() != index)) {
      bucket.push_back(index);
    }
  }
}

std::optional<size_t> NameHints::CloseByOneEdit(const std::string& compact) const {
  if (!EditableLength(compact.size())) return std::nullopt;
  std::optional<size_t> best;
  auto consider = [&](size_t index) {
    if (best && *best <= index) return;
    if (WithinOneEdit(FoldCompact(names_[index]), compact)) best = index;
  };
  // A known name one byte longer: the query is one of its deletions.
  if (auto found = byDeletion_.find(compact); found != byDeletion_.end()) {
    for (size_t index : found->second) consider(index);
  }
  for (size_t at = 0; at < compact.size(); ++at) {
    const std::string shorter = Deleted(compact, at);
    // A known name one byte shorter.
    if (auto found = byCompact_.find(shorter); found != byCompact_.end()) consider(found->second);
    // A known name of the same length, one byte changed or two swapped.
    if (auto found = byDeletion_.find(shorter); found != byDeletion_.end()) {
      for (size_t index : found->second) consider(index);
    }
  }
  return best;
}

std::optional<std::string> NameHints::DidYouMean(std::string_view name) const {
  if (Contains(name)) return std::nullopt;
  const std::string compact = FoldCompact(name);
  if (auto found = byCompact_.find(compact); found != byCompact_.end()) {
    return names_[found->second];
  }
  if (auto index = CloseByOneEdit(compact)) return names_[*index];
  return std::nullopt;
}
