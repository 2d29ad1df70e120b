// Arbitrary bytes as a mapping table: the line reader and the escaping
// helpers on every line, and every lookup of the indexed cursor checked
// against the scanning cursor it stands in for. Any difference aborts.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "dictionary/indexed_cursor.h"
#include "dictionary/mapping_index.h"
#include "dictionary/mapping_table.h"
#include "dictionary/scanning_cursor.h"
#include "text/text_helpers.h"

namespace {

// Enough lookups to reach every kind of row of a small table without the
// quadratic linear scans slowing the fuzzer down.
constexpr size_t kMostQueries = 96;
constexpr int kRowsAfterClassRow = 12;

void Require(bool holds, const char* what) {
  if (holds) return;
  std::fprintf(stderr, "table_fuzzer: %s\n", what);
  std::abort();
}

// The table as the run holds it: the bytes up to the first NUL, then one
// line end.
ZORUnicodeString TableText(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ZORUnicodeString text(bytes.substr(0, bytes.find('\0')));
  text.Append("\n");
  return text;
}

void ExerciseHelpers(const ZORUnicodeString& line) {
  ZORUnicodeString plain = line;
  AmpTogglePlain(plain);
  Require(plain.GetLengthInChar() <= line.GetLengthInChar(), "AmpTogglePlain grew the text");
  ZORUnicodeString html = line;
  AmpToggleHTML(html);
  Require(html.GetLengthInChar() >= line.GetLengthInChar(), "AmpToggleHTML shrank the text");
  ZORUnicodeString checked = CheckString(line);
  Require(checked.str().find_first_of("<>\"',\n") == std::string::npos,
          "CheckString left a character that needs escaping");
  Require(checked.IsEmpty() || checked.str().back() != ' ', "CheckString left a trailing blank");
  ZORUnicodeString compact = line;
  RemoveWhiteSpace(compact);
  Require(compact.str().find(' ', 1) == std::string::npos, "RemoveWhiteSpace left a blank");
}

// The lines as the run's scans read them; they must rebuild the text.
std::vector<ZORUnicodeString> ReadLines(const ZORUnicodeString& text) {
  std::vector<ZORUnicodeString> lines;
  std::string joined;
  long position = 0;
  while (position <= text.GetLengthInChar()) {
    lines.push_back(ReadNextLine(text, position));
    joined += lines.back().str();
    ExerciseHelpers(lines.back());
  }
  Require(joined == text.str(), "the lines do not rebuild the text");
  Require(position == text.GetLengthInChar() + 1, "the reader stopped in the wrong place");
  Require(lines.back().IsEmpty(), "the last line read is not empty");
  return lines;
}

// Names, parents and target names taken from the table's own fields, both
// as written and unescaped, so that lookups hit as well as miss.
struct Queries {
  std::set<std::pair<std::string, std::string>> class_rows;
  std::set<std::string> names;
};

Queries GatherQueries(const std::vector<ZORUnicodeString>& lines) {
  Queries queries;
  for (const ZORUnicodeString& line : lines) {
    MappingRow raw = SplitRow(line.str(), MappingColumn::kDomain, kNoFields);
    MappingRow plain = SplitRow(line.str(), MappingColumn::kDomain, kAllFields);
    if (queries.class_rows.size() < kMostQueries) {
      queries.class_rows.insert({plain.source_class.str(), plain.source_parent.str()});
      queries.class_rows.insert({raw.source_class.str(), raw.source_parent.str()});
      queries.class_rows.insert({plain.target_class.str(), plain.target_parent.str()});
    }
    if (queries.names.size() < kMostQueries) {
      for (const MappingRow* row : {&raw, &plain}) {
        queries.names.insert(row->source_class.str());
        queries.names.insert(row->source_parent.str());
        queries.names.insert(row->target_class.str());
      }
    }
  }
  return queries;
}

// The index's lines and answers against the scans of mapping_table.
void CompareIndex(const ZORUnicodeString& text, const std::vector<ZORUnicodeString>& lines,
                  const Queries& queries) {
  MappingIndex index(text);
  Require(index.LineCount() == lines.size(), "index line count");
  long start = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    Require(index.LineStart(i) == start, "index line start");
    Require(index.LineAt(start) == i, "index line at its start");
    start += lines[i].GetLengthInChar() + (i + 1 == lines.size() ? 1 : 0);
    Require(index.PositionAfter(i) == start, "index position after a line");
  }
  for (const auto& [name, parent] : queries.class_rows) {
    long position = 0;
    ClassRowLookup scan = FindClassRow(text, position, name, parent);
    size_t row = index.FirstClassRow(name, parent);
    Require(scan.found == (row != MappingIndex::kNone), "class row found");
    if (!scan.found) continue;
    Require(index.PositionAfter(row) == position, "class row position");
    Require(index.LineStart(row) == scan.row_start, "class row start");
    Require(lines[row].str() == scan.row, "class row text");
  }
  for (const std::string& name : queries.names) {
    Require(RowNamesTargetClass(name, text) == index.NamesTargetClass(name), "target class named");
  }
}

// The two cursors over the same table.
struct Cursors {
  explicit Cursors(const ZORUnicodeString& text) : scanning(text), indexed(text) {}
  ScanningCursor scanning;
  IndexedCursor indexed;
};

void RequireSamePosition(const Cursors& cursors, const char* what) {
  Require(cursors.scanning.Position() == cursors.indexed.Position(), what);
  Require(cursors.scanning.PastEnd() == cursors.indexed.PastEnd(), what);
}

// Reads the rows after the class row as the attribute walk does: once per
// attribute, from the line after the class row each time.
void CompareFollowingRows(Cursors& cursors, int rounds) {
  long after = cursors.scanning.Position();
  for (int round = 0; round < rounds; ++round) {
    cursors.scanning.MoveTo(after);
    cursors.indexed.MoveTo(after);
    for (int i = 0; i < kRowsAfterClassRow && !cursors.scanning.PastEnd(); ++i) {
      long start = cursors.scanning.Position();
      Require(cursors.scanning.LineNumberAt(start) == cursors.indexed.LineNumberAt(start),
              "line number of a row");
      const ParsedLine& a = cursors.scanning.ReadRow();
      const ParsedLine& b = cursors.indexed.ReadRow();
      Require(a.text == b.text && a.raw == b.raw && a.plain == b.plain, "row read after class row");
      RequireSamePosition(cursors, "position after reading a row");
    }
  }
}

std::vector<std::string> Children(const TableCursor& cursor, const std::string& parent) {
  std::vector<std::string> children;
  cursor.ForEachChildClassRow(parent, [&](std::string_view child, long start) {
    children.emplace_back(child);
    children.push_back(std::to_string(start) + ":" + std::to_string(cursor.LineNumberAt(start)));
  });
  return children;
}

// The lookups of a comparison pass, made through both cursors.
void CompareCursors(const ZORUnicodeString& text, const Queries& queries) {
  Cursors cursors(text);
  for (const auto& [name, parent] : queries.class_rows) {
    ClassRowLookup a = cursors.scanning.FindClassRow(name, parent);
    ClassRowLookup b = cursors.indexed.FindClassRow(name, parent);
    Require(a.found == b.found && a.map_domain == b.map_domain, "class-row lookup");
    Require(a.row == b.row && a.row_start == b.row_start, "class row of the lookup");
    RequireSamePosition(cursors, "position after class-row lookup");
    CompareFollowingRows(cursors, a.found ? 2 : 1);
  }
  for (const std::string& name : queries.names) {
    Require(cursors.scanning.NamesTargetClass(name) == cursors.indexed.NamesTargetClass(name),
            "target-class lookup");
    Require(Children(cursors.scanning, name) == Children(cursors.indexed, name), "children");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ZORUnicodeString text = TableText(data, size);
  std::vector<ZORUnicodeString> lines = ReadLines(text);
  Queries queries = GatherQueries(lines);
  CompareIndex(text, lines, queries);
  CompareCursors(text, queries);
  return 0;
}
