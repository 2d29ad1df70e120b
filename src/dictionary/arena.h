// Memory for one loaded document: blocks from which its nodes, attribute
// arrays and strings are carved, all freed at once when the document is
// released. A document of many small elements then costs a few bytes of
// bookkeeping per element instead of an allocation per node and per value.
#ifndef ZOR_DICTIONARY_ARENA_H_
#define ZOR_DICTIONARY_ARENA_H_

#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

class Arena {
 public:
  // `size` bytes aligned to `align` (a power of two); never null.
  void* Allocate(size_t size, size_t align = alignof(std::max_align_t));
  // A NUL-terminated copy of `text`.
  const char* Copy(std::string_view text);

 private:
  static constexpr size_t kBlockSize = 64 * 1024;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* next_ = nullptr;
  char* end_ = nullptr;
};

#endif  // ZOR_DICTIONARY_ARENA_H_
