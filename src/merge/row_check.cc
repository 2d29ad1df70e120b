#include "merge/row_check.h"

#include <array>
#include <deque>

#include "dictionary/parsed_line.h"
#include "merge/text_lines.h"
#include "text/quoted_value.h"

namespace {

constexpr std::array<const char*, 7> kColumnNames = {
    "class", "parent", "attribute", "target class", "target parent", "target attribute", "domain"};

std::string Column(size_t index) { return ColumnLabel(index); }

// What the reader makes of the row's field `index`, in words.
std::string ReaderTakes(std::string_view content, size_t index) {
  std::string line(content);
  line += '\n';
  std::deque<std::string> pool;
  std::string_view value = ParseLine(line, pool).raw[index];
  std::string_view name = kColumnNames[index];
  if (value.empty() || value == "\n") return "the reader would find no " + std::string(name);
  if (value.back() != '\n')
    return "the reader would take " + Quoted(value) + " as the " + std::string(name);
  value.remove_suffix(1);
  return "the reader would take " + Quoted(value) + " and the line end as the " + std::string(name);
}

RowCheck Fault(RowCheck check, RowFault fault, std::string reason) {
  check.fault = fault;
  check.reason = std::move(reason);
  return check;
}

// A class row whose name or parent held a comma when it was proposed: its
// two "*" columns stand further right than the third and sixth.
size_t ShiftedStarColumn(const std::vector<std::string_view>& columns) {
  if (columns.size() < 3 || columns[2] == "*") return 0;
  for (size_t i = 3; i + 3 < columns.size(); ++i) {
    if (columns[i] == "*" && columns[i + 3] == "*") return i;
  }
  return 0;
}

// Checks the first two columns, which name the class.
RowCheck CheckNaming(const RowCheck& check, std::string_view content,
                     const std::vector<std::string_view>& columns) {
  const char* kUnnamed = ": no row of the table can name a class without one, ";
  if (columns[0].empty()) {
    return Fault(check, RowFault::kUnnameable,
                 Column(0) + " is empty" + kUnnamed + "and " + ReaderTakes(content, 0));
  }
  if (columns.size() < 2) {
    return Fault(check, RowFault::kUnnameable,
                 "the row has no comma, so it names no parent (a name holding a line end splits "
                 "its row in two)");
  }
  if (columns[1].empty()) {
    return Fault(check, RowFault::kUnnameable,
                 Column(1) + " is empty" + kUnnamed + "and " + ReaderTakes(content, 1));
  }
  if (size_t shifted = ShiftedStarColumn(columns)) {
    return Fault(check, RowFault::kUnnameable,
                 "'*' stands in columns " + std::to_string(shifted + 1) + " and " +
                     std::to_string(shifted + 4) +
                     " instead of 3 and 6: the class name or parent holds a comma, which no row "
                     "of the table can hold");
  }
  return check;
}

RowCheck MissingValue(const RowCheck& check, std::string_view content,
                      const std::vector<std::string_view>& columns, size_t index) {
  const char* state = index < columns.size() ? " is empty: " : " is missing: ";
  return Fault(check, RowFault::kEmptyColumn, Column(index) + state + ReaderTakes(content, index));
}

RowCheck NoCommaAfter(const RowCheck& check, std::string_view content, size_t index) {
  return Fault(check, RowFault::kRunsIntoLineEnd,
               Column(index) + " has no comma after it: " + ReaderTakes(content, index) +
                   "; end the row with a comma");
}

// Columns 4 to 7, which the reader needs in place.
RowCheck CheckTargetColumns(const RowCheck& check, std::string_view content,
                            const std::vector<std::string_view>& columns) {
  for (size_t i = 3; i < 6; ++i) {
    if (i >= columns.size() || columns[i].empty()) return MissingValue(check, content, columns, i);
  }
  size_t last = 5;
  if (columns.size() > 6) {
    if (!columns[6].empty()) {
      last = 6;
    } else {
      for (size_t i = 7; i < columns.size(); ++i) {
        if (!columns[i].empty()) return MissingValue(check, content, columns, 6);
      }
    }
  }
  if (last + 1 == columns.size()) return NoCommaAfter(check, content, last);
  return check;
}

}  // namespace

// Columns are numbered from 1 in messages, as a person counts them.
std::string ColumnLabel(size_t index) {
  std::string label = "column " + std::to_string(index + 1);
  if (index < kColumnNames.size()) label += std::string(" (") + kColumnNames[index] + ")";
  return label;
}

std::vector<std::string_view> Columns(std::string_view content) {
  std::vector<std::string_view> columns;
  size_t start = 0;
  for (size_t comma = content.find(','); comma != std::string_view::npos;
       comma = content.find(',', start)) {
    columns.push_back(content.substr(start, comma - start));
    start = comma + 1;
  }
  columns.push_back(content.substr(start));
  return columns;
}

RowCheck CheckRow(std::string_view content) {
  RowCheck check;
  size_t nul = content.find('\0');
  if (nul != std::string_view::npos) {
    return Fault(check, RowFault::kNulByte,
                 "holds a NUL byte at character " + std::to_string(nul + 1) +
                     ": the table reader stops at it, so nothing after it would be read");
  }
  std::vector<std::string_view> columns = Columns(content);
  check.class_row = columns.size() > 2 && columns[2] == "*";
  check.no_mapping = content.find("No Mapping") != std::string_view::npos;
  check = CheckNaming(check, content, columns);
  if (!check.Usable()) return check;
  if (columns.size() < 3 || columns[2].empty()) return MissingValue(check, content, columns, 2);
  if (columns.size() == 3) return NoCommaAfter(check, content, 2);
  if (check.no_mapping) return check;
  return CheckTargetColumns(check, content, columns);
}
