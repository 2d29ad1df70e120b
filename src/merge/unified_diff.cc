#include "merge/unified_diff.h"

#include <algorithm>

namespace {

constexpr size_t kContext = 3;

struct DiffLine {
  char mark;  // ' ', '-' or '+'
  TextLine line;
};

std::vector<DiffLine> DiffLines(const std::vector<TextLine>& table,
                                const std::vector<MergedLine>& merged) {
  std::vector<DiffLine> lines;
  lines.reserve(merged.size() + 16);
  for (const MergedLine& entry : merged) {
    if (entry.change == LineChange::kKept) {
      lines.push_back({' ', entry.line});
      continue;
    }
    if (entry.change == LineChange::kRemoved) {
      lines.push_back({'-', table[entry.table_line]});
      continue;
    }
    if (entry.change == LineChange::kReplaced) lines.push_back({'-', table[entry.table_line]});
    lines.push_back({'+', entry.line});
  }
  return lines;
}

// "start,count" as a hunk header gives it: a range of no lines names the
// line before it, and a count of one is left out.
std::string Range(size_t lines_before, size_t count) {
  if (count == 0) return std::to_string(lines_before) + ",0";
  std::string start = std::to_string(lines_before + 1);
  return count == 1 ? start : start + "," + std::to_string(count);
}

void AppendHunk(const std::vector<DiffLine>& lines, size_t first, size_t last, size_t old_before,
                size_t new_before, std::string& diff) {
  size_t old_count = 0, new_count = 0;
  for (size_t i = first; i < last; ++i) {
    old_count += lines[i].mark != '+' ? 1 : 0;
    new_count += lines[i].mark != '-' ? 1 : 0;
  }
  diff += "@@ -" + Range(old_before, old_count) + " +" + Range(new_before, new_count) + " @@\n";
  for (size_t i = first; i < last; ++i) {
    diff += lines[i].mark;
    diff.append(lines[i].line.content);
    diff.append(lines[i].line.end);
    if (!lines[i].line.end.ends_with('\n')) diff += "\n\\ No newline at end of file\n";
  }
}

}  // namespace

std::string UnifiedDiff(const std::vector<TextLine>& table, const std::vector<MergedLine>& merged,
                        std::string_view old_name, std::string_view new_name) {
  std::vector<DiffLine> lines = DiffLines(table, merged);
  std::string diff;
  size_t old_seen = 0, new_seen = 0;  // lines of each side before position i
  size_t i = 0;
  while (i < lines.size()) {
    if (lines[i].mark == ' ') {
      ++old_seen, ++new_seen, ++i;
      continue;
    }
    // A hunk runs from the context before this change to the context after
    // the last change that lies within twice the context of the one before.
    size_t lead = std::min(kContext, i);
    size_t first = i - lead, last = i, gap = 0;
    for (size_t j = i; j < lines.size() && gap <= 2 * kContext; ++j) {
      if (lines[j].mark == ' ') {
        ++gap;
      } else {
        gap = 0;
        last = j + 1;
      }
    }
    size_t end = std::min(lines.size(), last + kContext);
    if (diff.empty())
      diff = "--- " + std::string(old_name) + "\n+++ " + std::string(new_name) + "\n";
    AppendHunk(lines, first, end, old_seen - lead, new_seen - lead, diff);
    for (size_t j = i; j < end; ++j) {
      old_seen += lines[j].mark != '+' ? 1 : 0;
      new_seen += lines[j].mark != '-' ? 1 : 0;
    }
    i = end;
  }
  return diff;
}
