#include "lint/table_fix.h"

#include <algorithm>
#include <map>

#include "lint/row_form.h"

namespace {

// A line of the repaired table: which analysis line it comes from and what
// it holds now.
struct FixedLine {
  size_t from;
  TextLine line;
  bool moved = false;
};

// Each row with its form repaired; the views point into `storage` where the
// row changed.
std::vector<TextLine> RepairedLines(const std::vector<TextLine>& lines,
                                    std::deque<std::string>& storage) {
  std::vector<TextLine> repaired = lines;
  for (TextLine& line : repaired) {
    if (line.content.find(',') == std::string_view::npos) continue;
    std::string row = RepairedRow(line.content);
    if (row == line.content) continue;
    storage.push_back(std::move(row));
    line.content = storage.back();
  }
  return repaired;
}

// Moves every unreachable attribute row to the end of its class's block,
// rows of one class in their order.
std::vector<FixedLine> Reordered(const std::vector<TextLine>& lines) {
  Hazards ignored;
  std::vector<UnreachableRow> moves = ScanStructure(lines, ignored);
  std::vector<bool> moved(lines.size(), false);
  std::map<size_t, std::vector<size_t>> by_owner;
  for (const UnreachableRow& move : moves) {
    moved[move.line] = true;
    by_owner[move.class_row].push_back(move.line);
  }
  std::vector<FixedLine> order;
  std::vector<TextLine> kept;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (moved[i]) continue;
    order.push_back({i, lines[i]});
    kept.push_back(lines[i]);
  }
  // Insert from the end, so that earlier positions stay valid.
  std::vector<std::pair<size_t, size_t>> inserts;  // position in `order`, owner
  for (const auto& entry : by_owner) {
    const size_t owner = entry.first;
    auto at = std::find_if(order.begin(), order.end(),
                           [owner](const FixedLine& line) { return line.from == owner; });
    inserts.emplace_back(BlockEnd(kept, static_cast<size_t>(at - order.begin())), owner);
  }
  std::sort(inserts.rbegin(), inserts.rend());
  for (const auto& [position, owner] : inserts) {
    std::vector<FixedLine> rows;
    for (size_t row : by_owner[owner]) rows.push_back({row, lines[row], true});
    order.insert(order.begin() + static_cast<long>(position), rows.begin(), rows.end());
  }
  return order;
}

// Every line but the last ends in a line end: a row moved from the end of
// a file without a final one, or placed after it, gets the table's.
void EndLines(std::vector<FixedLine>& order, std::string_view line_end) {
  for (size_t i = 0; i + 1 < order.size(); ++i) {
    if (order[i].line.end.empty()) order[i].line.end = line_end;
  }
}

bool SameLine(const TextLine& a, const TextLine& b) {
  return a.content == b.content && a.end == b.end;
}

// Whether line ends are to become LF alone: a carriage return spoils a
// value somewhere, and the table keeps one style of line end.
bool EndsWithLineFeeds(const TableAnalysis& analysis) {
  for (const Hazard& hazard : analysis.Found()) {
    if (hazard.code == HazardCode::kCarriageReturn) return true;
  }
  return false;
}

// One pass of the repairs over `analysis`'s lines: rows repaired in place,
// unreachable rows moved, line ends made LF alone where a carriage return
// spoils a value. `from` indexes the analysis's lines.
std::vector<FixedLine> Pass(const TableAnalysis& analysis, std::deque<std::string>& storage) {
  const std::vector<TextLine>& lines = analysis.Lines();
  std::vector<TextLine> repaired = RepairedLines(lines, storage);
  bool line_feeds = EndsWithLineFeeds(analysis);
  if (line_feeds) {
    for (TextLine& line : repaired) {
      if (!line.end.empty()) line.end = "\n";
    }
  }
  std::vector<FixedLine> order = Reordered(repaired);
  EndLines(order, line_feeds ? "\n" : LineEndStyle(lines));
  return order;
}

std::string Joined(const std::vector<FixedLine>& order) {
  std::string text;
  for (const FixedLine& fixed : order) {
    text.append(fixed.line.content);
    text.append(fixed.line.end);
  }
  return text;
}

bool NeedsRepair(const TableAnalysis& analysis) {
  return std::any_of(analysis.Found().begin(), analysis.Found().end(),
                     [](const Hazard& hazard) { return !hazard.fix.empty(); });
}

// A repair can call for another: a row that gains its closing comma brings
// a carriage return into a compared value, a moved row ends the block of a
// second class row. Passes run until nothing is left to repair; each is
// expressed against the original lines, and its lines kept in `storage`.
constexpr int kMaxPasses = 4;

std::vector<FixedLine> Repaired(const TableAnalysis& analysis, TableFix& fix) {
  std::vector<FixedLine> order = Pass(analysis, fix.storage);
  for (const Hazard& hazard : analysis.Found()) {
    if (!hazard.fix.empty()) fix.repaired.push_back(hazard);
  }
  for (int pass = 1; pass < kMaxPasses; ++pass) {
    TableAnalysis after(Joined(order));
    if (after.Encoding() != TableEncoding::kUtf8 || !NeedsRepair(after)) break;
    std::vector<FixedLine> next;
    for (FixedLine& fixed : Pass(after, fix.storage)) {
      const FixedLine& before = order[fixed.from];
      fix.storage.emplace_back(fixed.line.content);
      std::string_view content = fix.storage.back();
      fix.storage.emplace_back(fixed.line.end);
      next.push_back({before.from, {content, fix.storage.back()}, before.moved || fixed.moved});
    }
    for (const Hazard& hazard : after.Found()) {
      if (!hazard.fix.empty()) fix.repaired.push_back(hazard);
    }
    order = std::move(next);
  }
  return order;
}

}  // namespace

TableFix FixTable(const TableAnalysis& analysis) {
  TableFix fix;
  const std::vector<TextLine>& lines = analysis.Lines();
  std::vector<FixedLine> order = Repaired(analysis, fix);
  size_t next_original = 0;  // the analysis lines before it are accounted for
  auto show_removed_until = [&](size_t end) {
    for (; next_original < end; ++next_original) {
      fix.lines.push_back({LineChange::kRemoved, next_original, lines[next_original]});
    }
  };
  for (const FixedLine& fixed : order) {
    if (fixed.moved || fixed.from < next_original) {
      fix.lines.push_back({LineChange::kInserted, fixed.from, fixed.line});
    } else {
      // The lines skipped since the last line kept in place were moved away.
      show_removed_until(fixed.from);
      next_original = fixed.from + 1;
      bool same = SameLine(fixed.line, lines[fixed.from]);
      fix.lines.push_back(
          {same ? LineChange::kKept : LineChange::kReplaced, fixed.from, fixed.line});
    }
  }
  fix.text = Joined(order);
  show_removed_until(lines.size());
  return fix;
}
