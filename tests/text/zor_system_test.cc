#include "text/zor_system.h"

#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "driver/comparator_registration.h"
#include "text/zor_uuid.h"

namespace {

bool IsUpperHex(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// Version 4 in the first digit of the seventh byte, the RFC variant (10xx)
// in the first digit of the ninth.
void ExpectVersion4Text(const std::string& text) {
  ASSERT_EQ(text.size(), 32u) << text;
  for (char c : text) EXPECT_TRUE(IsUpperHex(c)) << text;
  EXPECT_EQ(text[12], '4') << text;
  EXPECT_NE(std::string("89AB").find(text[16]), std::string::npos) << text;
}

TEST(ZORUuid, WritesThirtyTwoUpperHexDigitsIntoTheBuffer) {
  char buffer[ZORUuid::kBufferSize] = {};
  ZORUuid uuid;
  uuid.UUID_to_chaine(buffer);
  ASSERT_EQ(std::strlen(buffer), 32u);
  for (int i = 32; i < ZORUuid::kBufferSize; ++i) EXPECT_EQ(buffer[i], '\0');
  ExpectVersion4Text(buffer);

  char again[ZORUuid::kBufferSize] = {};
  uuid.UUID_to_chaine(again);
  EXPECT_STREQ(again, buffer);  // one identifier per object
}

TEST(ZORUuid, NewTextsAreVersion4AndDistinct) {
  std::set<std::string> seen;
  for (int i = 0; i < 2000; ++i) {
    std::string text = NewUuidText().str();
    ExpectVersion4Text(text);
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 2000u);
}

TEST(ZORSystem, GetEnvAndFileAccess) {
  unsetenv("ZOR_TEST_UNSET_VARIABLE");
  EXPECT_EQ(ZORGetEnv("ZOR_TEST_UNSET_VARIABLE"), "");
  setenv("ZOR_TEST_SET_VARIABLE", "/some/root", 1);
  EXPECT_EQ(ZORGetEnv("ZOR_TEST_SET_VARIABLE"), "/some/root");

  EXPECT_EQ(ZORFileAccess(__FILE__, 0), 0);
  EXPECT_EQ(ZORFileAccess(ZOR_TEST_DATA_DIR, 0), 0);
  EXPECT_NE(ZORFileAccess(ZOR_TEST_DATA_DIR "/no-such-file", 0), 0);
}

TEST(ZORFillDictionary, ComparatorIsRegisteredBeforeMain) {
  ZORFactory factory = ZORFindFactory("ZODOdevDComparator");
  ASSERT_NE(factory, nullptr);
  EXPECT_EQ(factory, &fctCreateZODOdevDComparator);
  EXPECT_EQ(ZORFindFactory("NoSuchClass"), nullptr);

  auto* comparator = static_cast<ZODOdevDComparator*>(factory());
  ASSERT_NE(comparator, nullptr);
  EXPECT_EQ(comparator->state, 0);
  for (const ZORUnicodeString& text : comparator->texts) EXPECT_TRUE(text.IsEmpty());
  delete comparator;
}

}  // namespace
