#include "suggest/name_store.h"

#include <algorithm>
#include <cstring>
#include <functional>

Name NameStore::Keep(std::string_view text) {
  if (text.empty()) return Name();
  if (slots_.empty()) slots_.resize(kSlots);
  size_t at = std::hash<std::string_view>()(text) & (kSlots - 1);
  for (; !slots_[at].empty(); at = (at + 1) & (kSlots - 1)) {
    if (slots_[at] == text) return Name(slots_[at]);
  }
  const std::string_view kept = Copy(text);
  if (remembered_ < kMostRemembered) {
    slots_[at] = kept;
    ++remembered_;
  }
  return Name(kept);
}

std::string_view NameStore::Copy(std::string_view text) {
  if (text.size() > left_) {
    const size_t size = std::max(kBlock, text.size());
    blocks_.push_back(std::make_unique<char[]>(size));
    free_ = blocks_.back().get();
    left_ = size;
  }
  char* at = free_;
  std::memcpy(at, text.data(), text.size());
  free_ += text.size();
  left_ -= text.size();
  return std::string_view(at, text.size());
}
