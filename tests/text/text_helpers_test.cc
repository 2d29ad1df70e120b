#include "text/text_helpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadNextLine, ReturnsLinesWithTheirEndsThenEmptyTextPastTheEnd) {
  ZORUnicodeString text("a,b\nc");
  long position = 0;
  EXPECT_EQ(ReadNextLine(text, position).str(), "a,b\n");
  EXPECT_EQ(position, 4);
  EXPECT_EQ(ReadNextLine(text, position).str(), "c");
  EXPECT_EQ(position, 6);

  ZORUnicodeString ended("x\r\n");
  position = 0;
  EXPECT_EQ(ReadNextLine(ended, position).str(), "x\r\n");
  EXPECT_EQ(position, 3);
  EXPECT_EQ(ReadNextLine(ended, position).str(), "");
  EXPECT_EQ(position, 4);
}

TEST(AmpToggle, PlainUndoesOneLevelAndHtmlEscapesBareAmpersands) {
  EXPECT_EQ(Plain("R&amp;D").str(), "R&D");
  EXPECT_EQ(Plain("R&D").str(), "R&D");
  EXPECT_EQ(Plain("&nbsp;").str(), "&nbsp;");
  EXPECT_EQ(Plain("x&").str(), "x&");
  EXPECT_EQ(Plain("&amp;amp;").str(), "&amp;");
  EXPECT_EQ(Plain("&AMP;").str(), "&");  // the look-ahead compares without case
  EXPECT_EQ(Plain("&amp").str(), "&amp");  // cut short by the end: no match
  EXPECT_EQ(Plain("").str(), "");

  EXPECT_EQ(Html("R&D").str(), "R&amp;D");
  EXPECT_EQ(Html("R&amp;D").str(), "R&amp;D");
  EXPECT_EQ(Html("a&nbsp;b").str(), "a&nbsp;b");
  EXPECT_EQ(Html("a&nbsp").str(), "a&amp;nbsp");
  EXPECT_EQ(Html("x&").str(), "x&amp;");
  EXPECT_EQ(Html("&lt;").str(), "&amp;lt;");
}

TEST(CheckString, EscapesForTheDdlAndDropsLineEndsAndTrailingBlanks) {
  EXPECT_EQ(CheckString("a<b>, c\n  ").str(), "a&lt;b&gt;&comma; c");
  EXPECT_EQ(CheckString("  x").str(), "  x");
  EXPECT_EQ(CheckString("   ").str(), "");
  EXPECT_EQ(CheckString("\"'&amp;&nbsp;").str(), "&quot;&apos;&amp;&amp;nbsp;");
}

TEST(RemoveWhiteSpace, KeepsOnlyALeadingBlankThenEscapes) {
  EXPECT_EQ(WithoutWhiteSpace("Pipe Size").str(), "PipeSize");
  EXPECT_EQ(WithoutWhiteSpace(" a b  c ").str(), " abc");
  EXPECT_EQ(WithoutWhiteSpace("x,y").str(), "x&comma;y");
  EXPECT_EQ(WithoutWhiteSpace(" ").str(), "");
}

}  // namespace
