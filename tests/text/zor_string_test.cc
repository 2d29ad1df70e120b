#include "text/zor_string.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "text/zor_token.h"

namespace {

TEST(ZORUnicodeString, CompareIsIdenticalOrAsciiCaseOnlyOrDifferent) {
  constexpr auto kIdentical = TextComparison::kIdentical;
  constexpr auto kCaseOnly = TextComparison::kEqualIgnoringCase;
  constexpr auto kDifferent = TextComparison::kDifferent;
  const struct {
    const char *a, *b;
    TextComparison result;
  } rows[] = {
      {"Pump", "Pump", kIdentical},
      {"", "", kIdentical},
      {"Pump1", "pUMP1", kCaseOnly},
      {"Pump", "Pumps", kDifferent},
      {"Pump", "Pomp", kDifferent},
      {"", "x", kDifferent},
      // Bytes that differ by the case bit but are no letters stay different,
      // and non-ASCII letters are not folded: u-umlaut against U-umlaut.
      {"[", "{", kDifferent},
      {"@", "`", kDifferent},
      {"\xC3\xBC", "\xC3\x9C", kDifferent},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ZORUnicodeString(row.a).Compare(ZORUnicodeString(row.b)), row.result)
        << row.a << " against " << row.b;
  }
}

TEST(ZORUnicodeString, SubStringRemoveSearchAndNumbers) {
  const ZORUnicodeString text("abcdef");
  using Cut = std::pair<long, long>;
  for (auto [cut, expected] : {std::pair<Cut, const char*>{{2, 2}, "cd"},
                               {{4, 10}, "ef"},
                               {{6, 1}, ""},
                               {{-1, 2}, ""},
                               {{0, 0}, ""}}) {
    EXPECT_EQ(text.SubString(cut.first, cut.second).str(), expected) << cut.first;
  }
  ZORUnicodeString removed = text;
  removed.Remove(1, 2);
  EXPECT_EQ(removed.str(), "adef");
  removed.Remove(2, 10);
  EXPECT_EQ(removed.str(), "ad");

  EXPECT_EQ(ZORUnicodeString("a,b*c*").SearchSubString("*", 0), 3);
  EXPECT_EQ(ZORUnicodeString("abab").SearchSubString("ab", 0), 0);
  EXPECT_EQ(ZORUnicodeString("No Mapping").SearchSubString("no mapping", 0), -1);

  for (long value : {0L, -42L, LONG_MAX, LONG_MIN}) {
    EXPECT_EQ(ZORUnicodeString::BuildFromNum(value).str(), std::to_string(value));
  }
}

std::vector<std::string> Tokens(const char* line, int calls) {
  const ZORUnicodeString text(line);  // the tokenizer reads the line in place
  ZORToken token(text);
  std::vector<std::string> tokens;
  for (int i = 0; i < calls; ++i) tokens.push_back(token.GetNextToken(",").str());
  return tokens;
}

TEST(ZORToken, EmptyFieldsGiveNoTokenAndTheLineEndStaysInTheLast) {
  using V = std::vector<std::string>;
  EXPECT_EQ(Tokens(",,a,,,b\n", 4), (V{"a", "b\n", "", ""}));
  EXPECT_EQ(Tokens("Pump,Equipment,*,,,*,\n", 7), (V{"Pump", "Equipment", "*", "*", "\n", "", ""}));
  EXPECT_EQ(Tokens("a,b\r\n", 3), (V{"a", "b\r\n", ""}));
  EXPECT_EQ(Tokens(",,,", 2), (V{"", ""}));
  EXPECT_EQ(Tokens("", 2), (V{"", ""}));
  EXPECT_EQ(Tokens("a b;c", 2), (V{"a b;c", ""}));
}

}  // namespace
