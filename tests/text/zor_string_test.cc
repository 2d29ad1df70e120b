#include "text/zor_string.h"

#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/zor_token.h"

namespace {

int Compare(const char* a, const char* b) { return ZORUnicodeString(a).Compare(ZORUnicodeString(b)); }

TEST(ZORUnicodeString, CompareIsIdenticalOrAsciiCaseOnlyOrDifferent) {
  EXPECT_EQ(Compare("Pump", "Pump"), 2);
  EXPECT_EQ(Compare("", ""), 2);
  EXPECT_EQ(Compare("Pump1", "pUMP1"), 1);
  EXPECT_EQ(Compare("Pump", "Pumps"), 0);
  EXPECT_EQ(Compare("Pump", "Pomp"), 0);
  EXPECT_EQ(Compare("", "x"), 0);
  // Bytes that differ by the case bit but are no letters stay different.
  EXPECT_EQ(Compare("[", "{"), 0);
  EXPECT_EQ(Compare("@", "`"), 0);
  // Non-ASCII letters are not folded: u-umlaut against U-umlaut.
  EXPECT_EQ(Compare("\xC3\xBC", "\xC3\x9C"), 0);
}

TEST(ZORUnicodeString, SubStringRemoveAndSearch) {
  const ZORUnicodeString text("abcdef");
  EXPECT_EQ(text.SubString(2, 2).str(), "cd");
  EXPECT_EQ(text.SubString(4, 10).str(), "ef");
  EXPECT_EQ(text.SubString(6, 1).str(), "");
  EXPECT_EQ(text.SubString(-1, 2).str(), "");
  EXPECT_EQ(text.SubString(0, 0).str(), "");

  ZORUnicodeString removed = text;
  removed.Remove(1, 2);
  EXPECT_EQ(removed.str(), "adef");
  removed.Remove(2, 10);
  EXPECT_EQ(removed.str(), "ad");

  EXPECT_EQ(ZORUnicodeString("a,b*c*").SearchSubString("*", 0), 3);
  EXPECT_EQ(ZORUnicodeString("abab").SearchSubString("ab", 0), 0);
  EXPECT_EQ(ZORUnicodeString("No Mapping").SearchSubString("no mapping", 0), -1);
  EXPECT_EQ(ZORUnicodeString("abc").SearchSubString("x", 0), -1);
}

TEST(ZORUnicodeString, BuildFromNumWritesDecimal) {
  EXPECT_EQ(ZORUnicodeString::BuildFromNum(0).str(), "0");
  EXPECT_EQ(ZORUnicodeString::BuildFromNum(-42).str(), "-42");
  EXPECT_EQ(ZORUnicodeString::BuildFromNum(LONG_MAX).str(), std::to_string(LONG_MAX));
  EXPECT_EQ(ZORUnicodeString::BuildFromNum(LONG_MIN).str(), std::to_string(LONG_MIN));
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
