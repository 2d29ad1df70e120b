// The names of both dictionaries, held once. A dictionary of thousands of
// classes has hundreds of thousands of attribute names, mostly a little too
// long to fit inside a string object: a string each would cost twice their
// text. A store keeps them end to end in large blocks that never move, and
// a name met again (attribute names repeat from class to class) only once.
#ifndef ZOR_SUGGEST_NAME_STORE_H_
#define ZOR_SUGGEST_NAME_STORE_H_

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// A name a store holds, or a literal. Unlike a string view it cannot be
// made from a string by mistake, so it never outlives its text.
class Name {
 public:
  constexpr Name() = default;
  template <size_t N>
  consteval Name(const char (&literal)[N]) : text_(literal, N - 1) {}  // NOLINT: a literal lives on

  constexpr operator std::string_view() const { return text_; }  // NOLINT: reads as text
  constexpr std::string_view view() const { return text_; }
  std::string str() const { return std::string(text_); }
  constexpr bool empty() const { return text_.empty(); }
  constexpr size_t size() const { return text_.size(); }

  friend constexpr bool operator==(Name a, std::string_view b) { return a.text_ == b; }

 private:
  friend class NameStore;
  constexpr explicit Name(std::string_view text) : text_(text) {}

  std::string_view text_;
};

class NameStore {
 public:
  NameStore() = default;
  NameStore(const NameStore&) = delete;
  NameStore& operator=(const NameStore&) = delete;

  // A copy of `text` that lives as long as the store.
  Name Keep(std::string_view text);

 private:
  static constexpr size_t kBlock = size_t{1} << 16;
  // Enough for the names that repeat; a dictionary of distinct names would
  // only make the table cost more than it saves.
  static constexpr size_t kMostRemembered = size_t{1} << 16;
  static constexpr size_t kSlots =
      2 * kMostRemembered;  // a power of two, never more than half full

  std::string_view Copy(std::string_view text);

  // The names remembered, by hash, in one table probed in order: a million
  // names are looked up while the dictionaries are read.
  std::vector<std::string_view> slots_;  // an empty view is a free slot
  size_t remembered_ = 0;
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;
  size_t left_ = 0;
};

#endif  // ZOR_SUGGEST_NAME_STORE_H_
