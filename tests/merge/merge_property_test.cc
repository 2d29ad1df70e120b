// Merging completed rows into generated mapping tables of every shape: the
// run's own lookups must find each row the merge placed, no table line may
// be lost, merging twice must give what merging once gave, and the diff
// shown must be the change made.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "compare/comparison_state.h"
#include "compare/pass_state.h"
#include "compare/table_lookups.h"
#include "dictionary/mapping_index.h"
#include "merge/row_check.h"
#include "merge/table_merge.h"
#include "merge/unified_diff.h"

#ifdef ZOR_WITH_TREE_GENERATOR
#include "bench/tree_generator.h"
#endif

namespace {

// A comparison pass over `table_text` as a run holds it. The pass state is
// built here and nowhere else in this file.
struct LookupPass {
  LookupPass(const std::string& table_text, LookupStrategy strategy)
      : text(table_text + "\n"), state(context, text, strategy) {}
  ComparisonState context;
  ZORUnicodeString text;
  PassState state;
};

std::string_view WithoutLineEnd(std::string_view line) {
  if (!line.empty() && line.back() == '\n') line.remove_suffix(1);
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// The row the attribute lookup of a run takes for `label`, read after the
// class row (also a "No Mapping" row); nothing when it gives up.
std::optional<std::string> RowTakenByAttributeWalk(PassState& pass, std::string_view row_name,
                                                   std::string_view label) {
  AttributeRowLookup lookup = LookUpAttributeRow(pass, pass.table->Position(), label, row_name);
  if (lookup.row == nullptr) return std::nullopt;
  return std::string(WithoutLineEnd(lookup.row->text));
}

// What the lookups of a run find in `table` for the class and attribute of
// `row`: the class row, and for an attribute row the row the walk takes.
std::optional<std::string> FoundByLookups(const std::string& table, const CompletedRow& row,
                                          LookupStrategy strategy) {
  LookupPass pass(table, strategy);
  ClassRowLookup lookup = pass.state.table->FindClassRow(row.name, row.parent);
  if (!lookup.found) return std::nullopt;
  if (row.check.class_row) return std::string(WithoutLineEnd(lookup.row));
  return RowTakenByAttributeWalk(pass.state, row.name, row.attribute);
}

void ExpectFound(const std::string& table, const CompletedRow& row) {
  for (LookupStrategy strategy : {LookupStrategy::kIndexed, LookupStrategy::kLinearScans}) {
    EXPECT_EQ(FoundByLookups(table, row, strategy), std::string(row.content))
        << "line " << row.line_number << " not found by the lookups";
  }
  if (!row.check.class_row) return;
  ZORUnicodeString run_text(table + "\n");
  MappingIndex index(run_text);
  size_t line = index.FirstClassRow(row.name, row.parent);
  ASSERT_NE(line, MappingIndex::kNone);
  std::deque<std::string> pool;
  EXPECT_EQ(WithoutLineEnd(index.Line(line, pool).text), row.content);
}

// A row placed into a class's block comes after every table row the
// attribute walk reads as the class's own: the first table line after it
// is another class row or a row of another class.
void ExpectAtBlockEnd(const std::vector<MergedLine>& merged, const CompletedRow& row) {
  for (size_t i = 0; i < merged.size(); ++i) {
    if (merged[i].change != LineChange::kInserted || merged[i].line.content != row.content)
      continue;
    while (i < merged.size() && merged[i].change == LineChange::kInserted) ++i;
    if (i == merged.size()) return;
    std::deque<std::string> pool;
    const std::string text = std::string(merged[i].line.content) + "\n";
    ParsedLine next = ParseLine(text, pool);
    EXPECT_TRUE(next.Raw(MappingColumn::kSourceAttribute) == "*" ||
                !FieldMatches(next.Plain(MappingColumn::kSourceClass), row.name))
        << "line " << row.line_number << " placed before " << text;
    return;
  }
  ADD_FAILURE() << "line " << row.line_number << " not inserted";
}

bool Placed(RowOutcome outcome) {
  return outcome == RowOutcome::kNewBlock || outcome == RowOutcome::kIntoBlock;
}

// Every table line stands in the merged table in its order and as written,
// but a class row completed in place and a last line given a line end; the
// lines left over are exactly the rows placed, with the table's line end.
void ExpectNothingLost(const std::string& table, const TableMerge& merge,
                       const std::string& merged) {
  std::vector<TextLine> before = SplitLines(table), after = SplitLines(merged);
  std::vector<std::string_view> replaced(before.size()), placed;
  for (size_t i = 0; i < merge.Rows().size(); ++i) {
    const RowResult& result = merge.Plan().results[i];
    if (result.outcome == RowOutcome::kCompletedInPlace) {
      replaced[result.table_line - 1] = merge.Rows()[i].content;
    }
    if (Placed(result.outcome)) placed.push_back(merge.Rows()[i].content);
  }
  std::string_view end = LineEndStyle(before);
  std::vector<std::string_view> left_over;
  size_t j = 0;
  for (size_t i = 0; i < before.size(); ++i) {
    std::string_view content = replaced[i].empty() ? before[i].content : replaced[i];
    // A last line without any line end may gain the table's; one that stops
    // at a "\r" gains only a "\n", which leaves the row as the reader saw it.
    auto same_line = [&](const TextLine& line) {
      std::string_view was = before[i].end;
      if (line.content != content) return false;
      if (line.end == was || was.ends_with('\n')) return line.end == was;
      return line.end == (was.empty() ? std::string(end) : std::string(was) + "\n");
    };
    while (j < after.size() && !same_line(after[j])) {
      left_over.push_back(after[j].content);
      EXPECT_EQ(after[j++].end, end) << "a placed row without the table's line end";
    }
    ASSERT_LT(j, after.size()) << "table line " << i + 1 << " lost";
    ++j;
  }
  for (; j < after.size(); ++j) left_over.push_back(after[j].content);
  std::sort(left_over.begin(), left_over.end());
  std::sort(placed.begin(), placed.end());
  EXPECT_EQ(left_over, placed);
}

// Applies a unified diff as a patch program would.
std::string ApplyDiff(const std::string& text, const std::string& diff) {
  std::vector<TextLine> lines = SplitLines(text), patch = SplitLines(diff);
  std::string out;
  size_t next = 0;  // the next table line to copy
  for (size_t p = 2; p < patch.size(); ++p) {
    std::string_view line = patch[p].content;
    if (line.starts_with("@@ -")) {
      size_t start = std::stoul(std::string(line.substr(4)));
      size_t comma = line.find(','), space = line.find(' ', 4);
      bool empty_range = comma < space && line.substr(comma, 3) == ",0 ";
      for (size_t copy_to = empty_range ? start : start - 1; next < copy_to; ++next) {
        out.append(lines[next].Text());
      }
    } else if (!line.starts_with("\\")) {
      // A line marked as lacking a line end is followed by a "\ No newline" line.
      std::string_view written = patch[p].Text().substr(1);
      if (p + 1 < patch.size() && patch[p + 1].content.starts_with("\\")) written.remove_suffix(1);
      if (line[0] == '+') {
        out.append(written);
        continue;
      }
      EXPECT_EQ(written, lines[next].Text()) << "context differs";
      if (line[0] == ' ') out.append(written);
      ++next;
    }
  }
  for (; next < lines.size(); ++next) out.append(lines[next].Text());
  return out;
}

// How often each outcome came up, so that the generators keep reaching
// every branch of the merge.
std::map<RowOutcome, int>& OutcomesSeen() {
  static std::map<RowOutcome, int> seen;
  return seen;
}

void CheckMerge(const std::string& table, const std::string& completed) {
  TableMerge merge(table, completed);
  for (const RowResult& result : merge.Plan().results) OutcomesSeen()[result.outcome] += 1;
  ASSERT_EQ(merge.TableProblem(), "");
  ASSERT_EQ(merge.Plan().results.size(), merge.Rows().size());
  const std::string merged = merge.Text(true);
  ExpectNothingLost(table, merge, merged);
  for (size_t i = 0; i < merge.Rows().size(); ++i) {
    const RowResult& result = merge.Plan().results[i];
    bool refused =
        result.outcome == RowOutcome::kRefused || result.outcome == RowOutcome::kConflict;
    EXPECT_EQ(refused, !result.reason.empty() && result.outcome != RowOutcome::kCompletedInPlace);
    if (!refused) ExpectFound(merged, merge.Rows()[i]);
    if (result.outcome == RowOutcome::kIntoBlock)
      ExpectAtBlockEnd(merge.Lines(true), merge.Rows()[i]);
  }
  EXPECT_EQ(merge.Text(false), merge.Plan().HasProblems() ? table : merged);
  const std::string diff = UnifiedDiff(merge.TableLines(), merge.Lines(true), "a", "b");
  EXPECT_EQ(ApplyDiff(table, diff), merged) << diff;

  TableMerge again(merged, completed);
  EXPECT_EQ(again.Text(true), merged) << "merging twice differs from merging once";
  EXPECT_EQ(again.Plan().Count(RowOutcome::kRefused) + again.Plan().Count(RowOutcome::kConflict),
            merge.Plan().Count(RowOutcome::kRefused) + merge.Plan().Count(RowOutcome::kConflict));
}

// Tables and completed files drawn from a few names, so that rows meet:
// case variants, "&amp;" spellings, duplicates, rows out of their blocks,
// uncompleted proposals, "No Mapping", both runs' row shapes, CR LF.
class Generator {
 public:
  Generator(std::uint64_t seed, bool v5v5) : random_(seed), v5v5_(v5v5) {}

  std::string Table() {
    std::vector<std::string> rows;
    for (int block = 0, blocks = 1 + Pick(7); block < blocks; ++block) {
      std::string name = Name(), parent = Parent();
      rows.push_back(Pick(5) == 0 ? UncompletedClassRow(name, parent) : ClassRow(name, parent));
      for (int a = Pick(4); a > 0; --a)
        rows.push_back(AttributeRow(Pick(6) ? name : Name(), parent));
      if (Pick(6) == 0) rows.push_back(Pick(2) ? "" : BrokenRow());
    }
    if (Pick(3) == 0) std::swap(rows[Pick(rows.size())], rows[Pick(rows.size())]);
    if (Pick(3) == 0) rows.push_back(rows[Pick(rows.size())]);
    return Join(rows, Pick(3) == 0);
  }

  // Completed rows for the classes of `table` and for new ones.
  std::string Completed(const std::string& table) {
    std::vector<std::pair<std::string, std::string>> classes;
    for (const TextLine& line : SplitLines(table)) {
      std::vector<std::string_view> columns = Columns(line.content);
      if (columns.size() > 2) classes.emplace_back(columns[0], columns[1]);
    }
    std::vector<std::string> rows;
    for (int i = 0, count = 1 + Pick(12); i < count; ++i) {
      auto [name, parent] =
          !classes.empty() && Pick(2) ? classes[Pick(classes.size())] : std::pair{Name(), Parent()};
      switch (Pick(8)) {
        case 0:
          rows.push_back(BrokenRow());
          break;
        case 1:
          rows.push_back(UncompletedClassRow(name, parent));
          break;
        case 2:
        case 3:
          rows.push_back(ClassRow(name, parent));
          break;
        default:
          rows.push_back(AttributeRow(name, parent));
      }
    }
    if (Pick(2) == 0) rows.push_back(rows[Pick(rows.size())]);
    if (Pick(3) == 0) std::swap(rows[Pick(rows.size())], rows[Pick(rows.size())]);
    return Join(rows, Pick(4) == 0);
  }

 private:
  size_t Pick(size_t n) { return static_cast<size_t>(random_() % n); }
  std::string Of(std::initializer_list<const char*> choices) {
    return *(choices.begin() + Pick(choices.size()));
  }
  std::string Name() {
    return v5v5_ ? Of({"GateValve", "gatevalve", "R&amp;D", "R&D", "Pump"})
                 : Of({"Pump", "pump", "Gate Valve", "Skid &amp; Frame", "Skid & Frame"});
  }
  std::string Parent() { return Of({"Equipment", "Valve", "Eq &amp; Co"}); }
  std::string Label() { return Of({"Size", "size", "Flow Rate", "Q&amp;A", "Tag"}); }
  std::string Target() { return Of({"T1", "T2", "No Mapping"}); }

  std::string ClassRow(const std::string& name, const std::string& parent) {
    std::string target = Target();
    std::string row = name + "," + parent + ",*," + target + "," + Of({"TP", "TQ"}) + ",*,";
    return Pick(3) ? row + Of({"EQT", "PIP"}) + "," : row;
  }
  std::string UncompletedClassRow(const std::string& name, const std::string& parent) {
    return name + "," + parent + ",*,,,*,";
  }
  std::string AttributeRow(const std::string& name, const std::string& parent) {
    std::string head = name + "," + parent + "," + Label() + ",";
    if (Pick(5) == 0) return head + (v5v5_ ? ",,,,,," : ",,,");
    std::string row = head + Target() + ",TP," + Of({"A1", "A2"}) + ",";
    return v5v5_ ? row + ",," : row + Of({"EQT,", ""});
  }
  std::string BrokenRow() {
    return Of({",Equipment,*,T1,TP,*,EQT,", "Pump,,Size,T1,TP,A1,", "Pump,Equipment,Size,T1,TP,A1",
               "Pump,Equipment,*,T1,TP,*,,EQT,", "Lonely", "Pump,Equipment"});
  }

  std::string Join(const std::vector<std::string>& rows, bool crlf) {
    std::string text;
    for (const std::string& row : rows) text += row + (crlf ? "\r\n" : "\n");
    if (Pick(3) == 0 && !text.empty()) text.resize(text.size() - (crlf ? 2 : 1));
    // Now and then a last line that stops at a "\r", in either style.
    if (Pick(8) == 0 && text.ends_with('\n')) {
      text.pop_back();
      if (!text.ends_with('\r')) text.push_back('\r');
    }
    return text;
  }

  std::mt19937_64 random_;
  bool v5v5_;
};

TEST(MergeProperties, LookupsFindEveryMergedRowAndNothingIsLost) {
  for (std::uint64_t seed = 0; seed < 150; ++seed) {
    for (bool v5v5 : {false, true}) {
      Generator generator(seed, v5v5);
      std::string table = generator.Table();
      std::string completed = generator.Completed(table);
      SCOPED_TRACE("seed " + std::to_string(seed) + (v5v5 ? " V5/V5" : " V4/V5") + "\ntable:\n" +
                   table + "\ncompleted:\n" + completed);
      CheckMerge(table, completed);
      if (HasFatalFailure()) return;
    }
  }
  for (RowOutcome outcome :
       {RowOutcome::kNewBlock, RowOutcome::kIntoBlock, RowOutcome::kCompletedInPlace,
        RowOutcome::kAlreadyPresent, RowOutcome::kRefused, RowOutcome::kConflict}) {
    EXPECT_GE(OutcomesSeen()[outcome], 20) << "outcome " << static_cast<int>(outcome);
  }
}

#ifdef ZOR_WITH_TREE_GENERATOR
// The benchmark's hostile trees hold every oddity a hand-kept table has.
TEST(MergeProperties, HoldOnGeneratedHostileTables) {
  using zor_bench::TreeMode;
  for (std::uint64_t seed = 0; seed < 12; ++seed) {
    for (TreeMode mode : {TreeMode::kV4ToV5, TreeMode::kV5ToV5}) {
      zor_bench::TreeOptions options{12, 3, mode, zor_bench::TreeShape::kHostile, seed};
      std::string table = zor_bench::GenerateTree(options).mapping_csv;
      std::string completed = Generator(seed, mode == TreeMode::kV5ToV5).Completed(table);
      SCOPED_TRACE("seed " + std::to_string(seed) + "\ncompleted:\n" + completed);
      CheckMerge(table, completed);
      if (HasFatalFailure()) return;
    }
  }
}
#endif

}  // namespace
