// JSON lines built member by member parse back to what went in, whatever
// bytes the values hold: names from any table or dictionary.

#include "output/json_line.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>
#include <string>

namespace {

bool IsUtf8(const std::string& text) {
  try {
    (void)nlohmann::json(text).dump();
    return true;
  } catch (const nlohmann::json::type_error&) {
    return false;
  }
}

TEST(JsonLine, AnyBytesMakeOneValidLineThatReadsBack) {
  std::mt19937 random(7);
  // ASCII that JSON escapes or not, a NUL, UTF-8 (U+2028 among it) and
  // bytes that are not UTF-8.
  static const char kBytes[] =
      "aZ09 ,\"\\/<>&\x01\x1f\x7f\t\n\r\0\xc3\xa9\xe2\x80\xa8\xe9\xff\xf0\x9f\x98\x80";
  const std::string alphabet(kBytes, sizeof kBytes - 1);
  for (int round = 0; round < 2000; ++round) {
    std::string value;
    for (int i = static_cast<int>(random() % 12); i > 0; --i) {
      value += alphabet[random() % alphabet.size()];
    }
    JsonLine line;
    line.Open().Key("record").String("x").Key("names").Open().Key("v").String(value);
    line.Key("n").Number(-static_cast<long>(round)).Close().Key("list").OpenArray();
    line.String(value).String("").CloseArray().Key("none").Null().Close();
    const std::string& text = line.Text();
    ASSERT_EQ(text.find('\n'), text.size() - 1) << "one line";
    nlohmann::json parsed;
    ASSERT_NO_THROW(parsed = nlohmann::json::parse(text)) << text;
    EXPECT_EQ(parsed["names"]["n"], -round);
    EXPECT_TRUE(parsed["none"].is_null());
    ASSERT_EQ(parsed["list"].size(), 2u);
    if (IsUtf8(value)) {
      EXPECT_EQ(parsed["names"]["v"], value);
      EXPECT_EQ(parsed["list"][0], value);
    }
  }
}

}  // namespace
