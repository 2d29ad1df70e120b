// Hashing a pair of texts, for the indexes keyed by two fields.
#ifndef ZOR_DICTIONARY_VIEW_PAIR_HASH_H_
#define ZOR_DICTIONARY_VIEW_PAIR_HASH_H_

#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>

using ViewPair = std::pair<std::string_view, std::string_view>;

struct ViewPairHash {
  size_t operator()(const ViewPair& key) const {
    size_t first = std::hash<std::string_view>()(key.first);
    return first ^ (std::hash<std::string_view>()(key.second) + 0x9E3779B97F4A7C15ull +
                    (first << 6) + (first >> 2));
  }
};

#endif  // ZOR_DICTIONARY_VIEW_PAIR_HASH_H_
