#include "merge/text_lines.h"

#include <algorithm>
#include <cstring>

namespace {

// Where the carriage returns that end text[begin, end) start.
size_t TrailingReturns(std::string_view text, size_t begin, size_t end) {
  while (end > begin && text[end - 1] == '\r') --end;
  return end;
}

}  // namespace

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t start = 0;
  while (start < text.size()) {
    const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
    size_t end = found == nullptr
                     ? text.size()
                     : static_cast<size_t>(static_cast<const char*>(found) - text.data()) + 1;
    size_t content_end = TrailingReturns(text, start, found == nullptr ? end : end - 1);
    lines.push_back(
        {text.substr(start, content_end - start), text.substr(content_end, end - content_end)});
    start = end;
  }
  return lines;
}

std::string_view LineEndStyle(const std::vector<TextLine>& lines) {
  if (!lines.empty() && lines.front().end.starts_with('\r')) return "\r\n";
  return "\n";
}
