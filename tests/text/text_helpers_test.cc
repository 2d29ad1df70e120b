#include "text/text_helpers.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadNextLine, ReturnsLinesWithTheirEndsThenEmptyTextPastTheEnd) {
  const ZORUnicodeString text("a,b\nc\r\n");
  long position = 0;
  for (auto [line, after] : {std::pair<const char*, long>{"a,b\n", 4}, {"c\r\n", 7}, {"", 8}}) {
    EXPECT_EQ(ReadNextLine(text, position).str(), line);
    EXPECT_EQ(position, after);
  }
  position = 0;
  EXPECT_EQ(ReadNextLine(ZORUnicodeString("c"), position).str(), "c");  // no line end
  EXPECT_EQ(position, 2);
}

// Each escaping helper against its input and result; the look-aheads compare
// without case and find nothing when the text ends first.
TEST(EscapingHelpers, LookAheadsAndTrailingBlanks) {
  const struct {
    ZORUnicodeString (*helper)(ZORUnicodeString);
    const char *input, *expected;
  } rows[] = {
      {Plain, "R&amp;D", "R&D"},
      {Plain, "R&D", "R&D"},
      {Plain, "&nbsp;", "&nbsp;"},
      {Plain, "x&", "x&"},
      {Plain, "&amp;amp;", "&amp;"},
      {Plain, "&AMP;", "&"},
      {Plain, "&amp", "&amp"},
      {Plain, "", ""},
      {Html, "R&D", "R&amp;D"},
      {Html, "R&amp;D", "R&amp;D"},
      {Html, "a&nbsp;b", "a&nbsp;b"},
      {Html, "a&nbsp", "a&amp;nbsp"},
      {Html, "x&", "x&amp;"},
      {Html, "&lt;", "&amp;lt;"},
      {Html, "&nbsp;&x&amp;&", "&nbsp;&amp;x&amp;&amp;"},
      {Html, "&NBSP;&&", "&NBSP;&amp;&amp;"},
      // For the DDL: escaped, without line ends and trailing blanks.
      {CheckString, "a<b>, c\n  ", "a&lt;b&gt;&comma; c"},
      {CheckString, "  x", "  x"},
      {CheckString, "   ", ""},
      {CheckString, "\"'&amp;&nbsp;", "&quot;&apos;&amp;&amp;nbsp;"},
      // Only a leading blank survives, then the text is escaped.
      {WithoutWhiteSpace, "Pipe Size", "PipeSize"},
      {WithoutWhiteSpace, " a b  c ", " abc"},
      {WithoutWhiteSpace, "x,y", "x&comma;y"},
      {WithoutWhiteSpace, " ", ""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(row.helper(ZORUnicodeString(row.input)).str(), row.expected) << row.input;
  }
}

}  // namespace
