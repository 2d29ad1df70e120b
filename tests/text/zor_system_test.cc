#include "text/zor_system.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "driver/comparator_registration.h"
#include "text/zor_uuid.h"

namespace {

// Version 4 in the first digit of the seventh byte, the RFC variant (10xx)
// in the first digit of the ninth; no two alike.
TEST(ZORUuid, NewTextsAreDistinctVersion4Identifiers) {
  const std::regex form("[0-9A-F]{12}4[0-9A-F]{3}[89AB][0-9A-F]{15}");
  std::set<std::string> seen;
  for (int i = 0; i < 2000; ++i) {
    const std::string text = NewUuidText().str();
    EXPECT_TRUE(std::regex_match(text, form)) << text;
    EXPECT_TRUE(seen.insert(text).second) << "repeated: " << text;
  }
}

TEST(ZORFillDictionary, ComparatorIsRegisteredBeforeMain) {
  EXPECT_EQ(ZORFindFactory("ZODOdevDComparator"), &fctCreateZODOdevDComparator);
  EXPECT_EQ(ZORFindFactory("NoSuchClass"), nullptr);
  auto* comparator = static_cast<ZODOdevDComparator*>(fctCreateZODOdevDComparator());
  ASSERT_NE(comparator, nullptr);
  EXPECT_EQ(comparator->state, 0);
  for (const ZORUnicodeString& text : comparator->texts) EXPECT_TRUE(text.IsEmpty());
  delete comparator;
}

}  // namespace
