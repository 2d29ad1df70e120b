// Arbitrary bytes cut into a mapping table and a completed proposed-mapping
// file at the separator line, merged partially and all or nothing. The
// merge must keep every table line in order (but the class rows it reports
// as completed in place), add exactly the rows it reports as placed, put
// each placed class row where the index finds it, and leave its own result
// unchanged when merged again. The completed file is read as CSV tools
// write it: the rows it gives are the same when the file is saved with a
// byte-order mark or, for ASCII text, as UTF-16 of either byte order, and
// every row placed is one the table reads as written. Any breach aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/mapping_index.h"
#include "merge/table_merge.h"
#include "merge/unicode_text.h"

namespace {

constexpr std::string_view kSeparator = "\n#~#~#\n";

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "merge_fuzzer: %s\n", what);
  std::abort();
}

bool Placed(RowOutcome outcome) {
  return outcome == RowOutcome::kNewBlock || outcome == RowOutcome::kIntoBlock;
}

// A line as the table reader takes it: up to its "\n", the carriage returns
// before that included.
std::string ReaderLine(std::string_view content, std::string_view end) {
  std::string line(content);
  line.append(end.substr(0, end.size() - (end.ends_with('\n') ? 1 : 0)));
  return line;
}

// Whether `after` reads as the table line `before`, holding `content`, must
// read after the merge: as it did, but that a last line without any line end
// may gain the table's (one that stops at carriage returns gains a "\n",
// which leaves it as the reader took it).
bool Kept(std::string_view content, const TextLine& before, const TextLine& after,
          std::string_view style) {
  std::string read = ReaderLine(after.content, after.end);
  if (read == ReaderLine(content, before.end)) return true;
  return before.end.empty() && read == ReaderLine(content, style);
}

// The table's lines, with the completions put in, form a subsequence of the
// merged lines, and the merged table has one line more per placed row.
void RequireNothingLost(const TableMerge& merge, const std::string& merged) {
  const std::vector<TextLine>& table = merge.TableLines();
  std::vector<std::string_view> contents;
  for (const TextLine& line : table) contents.push_back(line.content);
  size_t placed = 0;
  for (size_t i = 0; i < merge.Rows().size(); ++i) {
    const RowResult& result = merge.Plan().results[i];
    if (result.outcome == RowOutcome::kCompletedInPlace) {
      contents[result.table_line - 1] = merge.Rows()[i].content;
    }
    placed += Placed(result.outcome) ? 1 : 0;
  }
  std::vector<TextLine> after = SplitLines(merged);
  Require(after.size() == contents.size() + placed, "merged line count");
  std::string_view style = LineEndStyle(table);
  size_t j = 0;
  for (size_t i = 0; i < table.size(); ++i) {
    while (j < after.size() && !Kept(contents[i], table[i], after[j], style)) ++j;
    Require(j < after.size(), "a table line was lost");
    ++j;
  }
}

void RequireClassRowsFound(const TableMerge& merge, const std::string& merged) {
  ZORUnicodeString run_text(merged + "\n");
  MappingIndex index(run_text);
  std::deque<std::string> pool;
  for (size_t i = 0; i < merge.Rows().size(); ++i) {
    const CompletedRow& row = merge.Rows()[i];
    RowOutcome outcome = merge.Plan().results[i].outcome;
    if (!row.check.class_row || !(Placed(outcome) || outcome == RowOutcome::kCompletedInPlace)) {
      continue;
    }
    size_t line = index.FirstClassRow(row.name, row.parent);
    Require(line != MappingIndex::kNone, "a merged class row is not found");
    std::string_view text = index.Line(line, pool).text;
    Require(text.substr(0, row.content.size()) == row.content, "another class row is found");
  }
}

// The rows and their verdicts, to compare readings of one file.
std::vector<std::string> Reading(const CompletedFile& file) {
  std::vector<std::string> rows;
  for (const CompletedRow& row : file.Rows()) {
    rows.push_back(std::to_string(row.line_number) + ":" + row.check.reason + ":" +
                   std::string(row.content));
  }
  rows.push_back(file.Problem());
  return rows;
}

std::string Utf16(std::string_view ascii, bool little_endian) {
  std::string out = little_endian ? "\xFF\xFE" : "\xFE\xFF";
  for (char c : ascii) {
    out += little_endian ? c : '\0';
    out += little_endian ? '\0' : c;
  }
  return out;
}

void RequireEncodingsReadAlike(std::string_view completed) {
  if (completed.starts_with("\xEF\xBB\xBF") || completed.starts_with("\xFF\xFE") ||
      completed.starts_with("\xFE\xFF") || completed.find('\0') != std::string_view::npos) {
    return;
  }
  CompletedFile plain(completed);
  const std::vector<std::string> reading = Reading(plain);
  for (const CompletedRow& row : plain.Rows()) {
    if (row.check.Usable()) Require(CheckRow(row.content).Usable(), "a usable row reads otherwise");
  }
  std::string marked = "\xEF\xBB\xBF" + std::string(completed);
  Require(Reading(CompletedFile(marked)) == reading, "a byte-order mark changes the rows");
  for (unsigned char c : completed) {
    if (c >= 0x80) return;
  }
  for (bool little_endian : {true, false}) {
    std::string wide = Utf16(completed, little_endian);
    Require(Reading(CompletedFile(wide)) == reading, "UTF-16 changes the rows");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view input(reinterpret_cast<const char*>(data), size);
  size_t cut = input.find(kSeparator);
  std::string_view table = input.substr(0, cut);
  std::string_view completed =
      cut == std::string_view::npos ? std::string_view() : input.substr(cut + kSeparator.size());
  RequireEncodingsReadAlike(completed);
  TableMerge merge(std::string(table), completed);
  if (!merge.CompletedProblem().empty()) {
    Require(merge.Rows().empty() && merge.Text(true) == table, "a refused file merged rows");
    return 0;
  }
  if (!merge.TableProblem().empty()) {
    // Wide text starts with its byte-order mark, or holds NUL bytes.
    Require(table.find('\0') != std::string_view::npos || !WideTextName(table).empty(),
            "a table refused without a NUL byte or a wide-text mark");
    Require(merge.Text(true) == table, "a refused table changed");
    return 0;
  }
  Require(merge.Plan().results.size() == merge.Rows().size(), "a row without a result");
  const std::string merged = merge.Text(true);
  RequireNothingLost(merge, merged);
  RequireClassRowsFound(merge, merged);
  Require(merge.Text(false) == (merge.Plan().HasProblems() ? std::string(table) : merged),
          "all or nothing");
  Require(TableMerge(merged, completed).Text(true) == merged, "merging twice changes the table");
  return 0;
}
