#include "merge/text_lines.h"

#include <algorithm>
#include <cstring>

std::vector<TextLine> SplitLines(std::string_view text) {
  std::vector<TextLine> lines;
  lines.reserve(static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  size_t start = 0;
  while (start < text.size()) {
    const void* found = std::memchr(text.data() + start, '\n', text.size() - start);
    if (found == nullptr) {
      lines.push_back({text.substr(start), {}});
      break;
    }
    size_t newline = static_cast<size_t>(static_cast<const char*>(found) - text.data());
    size_t content_end = newline > start && text[newline - 1] == '\r' ? newline - 1 : newline;
    lines.push_back({text.substr(start, content_end - start),
                     text.substr(content_end, newline + 1 - content_end)});
    start = newline + 1;
  }
  return lines;
}

std::string_view LineEndStyle(const std::vector<TextLine>& lines) {
  if (!lines.empty() && lines.front().end == "\r\n") return "\r\n";
  return "\n";
}
