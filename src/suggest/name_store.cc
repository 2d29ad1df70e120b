#include "suggest/name_store.h"

#include <algorithm>
#include <cstring>

Name NameStore::Keep(std::string_view text) {
  if (text.empty()) return Name();
  if (auto known = remembered_.find(text); known != remembered_.end()) return Name(*known);
  const std::string_view kept = Copy(text);
  if (remembered_.size() < kMostRemembered) remembered_.insert(kept);
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
