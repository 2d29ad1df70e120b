#include "dictionary/arena.h"

#include <cassert>
#include <cstdint>
#include <cstring>

void* Arena::Allocate(size_t size, size_t align) {
  // The padding below masks with align - 1, which only works for powers of two.
  assert(align != 0 && (align & (align - 1)) == 0 && "align must be a power of two");
  auto address = reinterpret_cast<uintptr_t>(next_);
  size_t padding = (align - (address & (align - 1))) & (align - 1);
  if (next_ == nullptr || size + padding > static_cast<size_t>(end_ - next_)) {
    if (size + align > kBlockSize / 4) {
      // Large pieces get a block of their own, so that little is wasted.
      blocks_.push_back(std::unique_ptr<char[]>(new char[size + align]));
      auto start = reinterpret_cast<uintptr_t>(blocks_.back().get());
      return blocks_.back().get() + ((align - (start & (align - 1))) & (align - 1));
    }
    blocks_.push_back(std::unique_ptr<char[]>(new char[kBlockSize]));
    next_ = blocks_.back().get();
    end_ = next_ + kBlockSize;
    address = reinterpret_cast<uintptr_t>(next_);
    padding = (align - (address & (align - 1))) & (align - 1);
  }
  void* piece = next_ + padding;
  next_ += padding + size;
  return piece;
}

const char* Arena::Copy(std::string_view text) {
  char* copy = static_cast<char*>(Allocate(text.size() + 1, 1));
  std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  return copy;
}
