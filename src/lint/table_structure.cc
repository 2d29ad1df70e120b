#include "lint/table_structure.h"

#include <deque>
#include <map>
#include <string>
#include <utility>

#include "dictionary/parsed_line.h"
#include "text/quoted_value.h"

namespace {

constexpr size_t kNone = static_cast<size_t>(-1);

// What the lookups need of one line: its names unescaped, as they compare
// them.
struct RowNames {
  bool row = false;  // a line with a comma: blank lines and the like are none
  bool class_row = false;
  std::string name;
  std::string parent;
};

RowNames NamesOf(const TextLine& line) {
  RowNames names;
  if (line.content.find(',') == std::string_view::npos) return names;
  std::string text(line.content);
  text += '\n';
  std::deque<std::string> pool;
  ParsedLine parsed = ParseLine(text, pool);
  names.row = true;
  names.class_row =
      parsed.Raw(MappingColumn::kSourceAttribute).find('*') != std::string_view::npos &&
      FieldMatches(parsed.Raw(MappingColumn::kSourceAttribute), "*");
  names.name = std::string(parsed.Plain(MappingColumn::kSourceClass));
  names.parent = std::string(parsed.Plain(MappingColumn::kSourceParent));
  return names;
}

std::vector<RowNames> AllNames(const std::vector<TextLine>& lines) {
  std::vector<RowNames> names;
  names.reserve(lines.size());
  for (const TextLine& line : lines) names.push_back(NamesOf(line));
  return names;
}

// The first class row of each class and parent, and of each class name.
struct ClassRows {
  std::map<std::pair<std::string, std::string>, size_t> by_key;
  std::map<std::string, size_t> by_name;

  explicit ClassRows(const std::vector<RowNames>& names) {
    for (size_t i = 0; i < names.size(); ++i) {
      if (!names[i].class_row) continue;
      by_key.emplace(std::make_pair(names[i].name, names[i].parent), i);
      by_name.emplace(names[i].name, i);
    }
  }

  // The class row an attribute row belongs under: its own class and
  // parent, or failing that (the lookup does not read an attribute row's
  // parent) its class alone.
  size_t For(const RowNames& row) const {
    auto keyed = by_key.find({row.name, row.parent});
    if (keyed != by_key.end()) return keyed->second;
    auto named = by_name.find(row.name);
    return named == by_name.end() ? kNone : named->second;
  }
};

Hazard Structural(HazardCode code, size_t line, std::string message, std::string fix = {}) {
  return {code, HazardSeverity::kWarning, static_cast<long>(line + 1),
          1,    std::move(message),       std::move(fix)};
}

}  // namespace

size_t BlockEnd(const std::vector<TextLine>& lines, size_t class_row) {
  std::string name = NamesOf(lines[class_row]).name;
  size_t end = class_row + 1;
  while (end < lines.size()) {
    RowNames names = NamesOf(lines[end]);
    if (!names.row || !FieldMatches(names.name, name)) break;
    ++end;
  }
  return end;
}

std::vector<UnreachableRow> ScanStructure(const std::vector<TextLine>& lines, Hazards& hazards) {
  std::vector<RowNames> names = AllNames(lines);
  ClassRows first(names);
  std::vector<UnreachableRow> unreachable;
  size_t block = kNone;  // the class row whose attribute rows the lookup reads here
  for (size_t i = 0; i < names.size(); ++i) {
    const RowNames& row = names[i];
    if (!row.row) {
      block = kNone;
      continue;
    }
    if (row.class_row) {
      size_t winner = first.by_key.at({row.name, row.parent});
      bool continues = block != kNone && FieldMatches(row.name, names[block].name);
      if (winner != i) {
        hazards.push_back(Structural(HazardCode::kDuplicateClassRow, i,
                                     "a second class row for " + Quoted(row.name) +
                                         " with parent " + Quoted(row.parent) +
                                         ": the first, on line " + std::to_string(winner + 1) +
                                         ", wins and this one is never read"));
      }
      // The lookup of this row's own class reads on from it: a row that wins
      // starts its block even where it continues another's.
      if (winner == i || !continues) block = i;
      continue;
    }
    if (block != kNone && FieldMatches(row.name, names[block].name) &&
        first.by_key.at({names[block].name, names[block].parent}) == block) {
      continue;
    }
    size_t owner = first.For(row);
    if (owner == kNone) {
      hazards.push_back(Structural(HazardCode::kOrphanAttributeRow, i,
                                   "an attribute row of " + Quoted(row.name) +
                                       ", which has no class row: no lookup reads it"));
      block = kNone;
      continue;
    }
    hazards.push_back(Structural(
        HazardCode::kUnreachableAttributeRow, i,
        "an attribute row of " + Quoted(row.name) + " outside the rows after its class row (line " +
            std::to_string(owner + 1) + "): the attribute lookup never reaches it",
        "move it to the rows after line " + std::to_string(owner + 1)));
    unreachable.push_back({i, owner});
    if (block == kNone || !FieldMatches(row.name, names[block].name)) block = kNone;
  }
  return unreachable;
}
