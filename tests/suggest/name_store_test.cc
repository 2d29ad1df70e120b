// The store keeps names whole and once; a name is never made from a string
// that could die before it.
#include "suggest/name_store.h"

#include <gtest/gtest.h>

#include <string>
#include <type_traits>

static_assert(!std::is_constructible_v<Name, std::string>,
              "a temporary string would leave the name dangling");
static_assert(!std::is_constructible_v<Name, std::string_view>);
static_assert(std::is_constructible_v<Name, const char (&)[4]>);

TEST(NameStore, KeepsNamesWholeAndRepeatedNamesOnce) {
  NameStore store;
  std::string text = "Operating Temperature";
  const Name first = store.Keep(text);
  text[0] = 'X';  // the store holds its own copy
  EXPECT_EQ(first, "Operating Temperature");
  const Name again = store.Keep("Operating Temperature");
  EXPECT_EQ(again.view().data(), first.view().data());
  EXPECT_TRUE(store.Keep("").empty());
  const std::string long_name(200000, 'a');  // larger than a block
  EXPECT_EQ(store.Keep(long_name).view(), long_name);
  for (int i = 0; i < 20000; ++i) {
    const std::string name = "Name " + std::to_string(i);
    ASSERT_EQ(store.Keep(name), name);
  }
  EXPECT_EQ(first, "Operating Temperature");  // earlier names never move
}
