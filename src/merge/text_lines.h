// A file taken apart into lines the way a person editing it sees them: each
// line's content without its line end, and the line end itself: the "\n"
// with the carriage returns before it ("\n", "\r\n", also "\r\r\n" as a
// CR LF written again through a text-mode stream leaves it); for a last line
// without "\n", the carriage returns it stops at, or nothing.
#ifndef ZOR_MERGE_TEXT_LINES_H_
#define ZOR_MERGE_TEXT_LINES_H_

#include <string>
#include <string_view>
#include <vector>

struct TextLine {
  std::string_view content;
  std::string_view end;

  // The line as written in the file; only for lines split from one text,
  // whose line end follows the content.
  std::string_view Text() const {
    return std::string_view(content.data(), content.size() + end.size());
  }
};

// The views point into `text`, which must outlive them. Empty text has no
// lines; text ending in a line end has no empty line after it.
std::vector<TextLine> SplitLines(std::string_view text);

// The line end a file uses: "\r\n" when its first line ends in a carriage
// return (a lone one included), otherwise "\n".
std::string_view LineEndStyle(const std::vector<TextLine>& lines);

#endif  // ZOR_MERGE_TEXT_LINES_H_
