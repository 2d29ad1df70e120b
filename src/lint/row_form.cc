#include "lint/row_form.h"

#include <algorithm>
#include <array>
#include <deque>

#include "dictionary/parsed_line.h"
#include "merge/row_check.h"
#include "text/quoted_value.h"

namespace {

constexpr std::array<const char*, 7> kColumnNames = {
    "class", "parent", "attribute", "target class", "target parent", "target attribute", "domain"};

std::string ColumnName(size_t index) {
  std::string name = "column " + std::to_string(index + 1);
  if (index < kColumnNames.size()) name += std::string(" (") + kColumnNames[index] + ")";
  return name;
}

size_t ColumnOffset(const std::vector<std::string_view>& columns, std::string_view content,
                    size_t index) {
  return static_cast<size_t>(columns[index].data() - content.data());
}

bool IsBlank(std::string_view content) {
  return content.find_first_not_of(" \t\r\f\v") == std::string_view::npos;
}

// A row whose quoting can be undone without changing how it splits, and
// without leaving a value that still looks quoted.
bool QuotingCanBeUndone(const std::optional<std::vector<std::string>>& values) {
  if (!values) return false;
  for (const std::string& value : *values) {
    if (value.find_first_of(",\r\n") != std::string::npos || value.starts_with('"')) return false;
  }
  return true;
}

std::string Joined(const std::vector<std::string>& values) {
  std::string row;
  for (size_t i = 0; i < values.size(); ++i) {
    if (i > 0) row += ',';
    row += values[i];
  }
  return row;
}

// The value the reader makes of field `index`, in words.
std::string ReaderTakes(std::string_view content, size_t index) {
  std::string line(content);
  line += '\n';
  std::deque<std::string> pool;
  std::string_view value = ParseLine(line, pool).raw[index];
  if (value.empty() || value == "\n") return "finds no " + std::string(kColumnNames[index]);
  bool line_end = value.back() == '\n';
  if (line_end) value.remove_suffix(1);
  return "takes " + Quoted(value) + (line_end ? " and the line end" : "") + " as the " +
         kColumnNames[index];
}

// Whether the row's last value stands in the column the reader needs last
// with no comma after it: the reader keeps the line end on that value.
bool RunsIntoLineEnd(const std::vector<std::string_view>& columns, bool class_row) {
  size_t last = class_row ? 7 : 6;
  return columns.size() == last && !columns[last - 1].empty();
}

// A class row with its target columns filled whose domain column is empty
// and followed only by empty columns (as spreadsheets pad rows): the reader
// takes the line end as the domain, which is then not missing.
bool LineEndAsDomain(const std::vector<std::string_view>& columns) {
  if (columns.size() < 7 || columns[2] != "*" || columns[3].empty()) return false;
  return std::all_of(columns.begin() + 6, columns.end(),
                     [](std::string_view column) { return column.empty(); });
}

class RowScan {
 public:
  RowScan(std::string_view content, long line, Hazards& hazards)
      : content_(content), line_(line), hazards_(hazards) {}

  void Run() {
    if (IsBlank(content_)) return;
    if (content_.find(',') == std::string_view::npos) return NoComma();
    columns_ = Columns(content_);
    CheckQuoting();
    if (columns_.size() < 3) {
      return Add(HazardCode::kShortRow, HazardSeverity::kWarning, 0,
                 "a row of " + std::to_string(columns_.size()) +
                     " columns: a row needs a class, a parent and an attribute or '*'");
    }
    bool class_row = columns_[2] == "*";
    if (class_row && RunsIntoLineEnd(columns_, true)) {
      Add(HazardCode::kDomainWithoutComma, HazardSeverity::kWarning, 6,
          "the domain ends the line: the reader " + ReaderTakes(content_, 6) +
              " (spreadsheets drop the comma that ends a row)",
          "add the comma that ends the row");
    }
    if (content_.find("No Mapping") != std::string_view::npos) return;
    if (LineEndAsDomain(columns_)) {
      Add(HazardCode::kEmptyDomain, HazardSeverity::kWarning, 6,
          "the domain column is empty but has a comma before the line end: the reader takes the "
          "line end as the domain, so the class is not reported as lacking one",
          "end the row after column 6");
    }
    CheckTargetColumns(class_row);
  }

 private:
  void Add(HazardCode code, HazardSeverity severity, size_t column, std::string message,
           std::string fix = {}) {
    size_t offset = column < columns_.size() ? ColumnOffset(columns_, content_, column) : 0;
    hazards_.push_back({code, severity, line_, CharacterColumn(content_, offset),
                        std::move(message), std::move(fix)});
  }

  void NoComma() {
    size_t separator = content_.find_first_of(";\t");
    if (separator == std::string_view::npos) {
      hazards_.push_back({HazardCode::kShortRow, HazardSeverity::kWarning, line_, 1,
                          "a line without a comma: the reader finds no row in it", ""});
      return;
    }
    const char* name = content_[separator] == ';' ? "semicolons" : "tabs";
    hazards_.push_back({HazardCode::kWrongSeparator, HazardSeverity::kError, line_,
                        CharacterColumn(content_, separator),
                        std::string("values separated by ") + name +
                            ": the reader splits on commas only and reads the line as one "
                            "value; save the table with ',' as the field separator",
                        ""});
  }

  void CheckQuoting() {
    for (size_t i = 0; i < columns_.size(); ++i) {
      if (!columns_[i].starts_with('"')) continue;
      bool mendable = QuotingCanBeUndone(UnquotedColumns(content_));
      Add(HazardCode::kQuotedField, HazardSeverity::kWarning, i,
          ColumnName(i) + " is CSV-quoted: the reader keeps the quotes as part of the value" +
              (mendable ? ""
                        : "; a value holding a comma, a line end or a leading quote "
                          "cannot stand in the table"),
          mendable ? "undo the quoting" : "");
      return;
    }
  }

  void CheckTargetColumns(bool class_row) {
    if (columns_.size() < 6) {
      if (columns_.size() >= 4 && columns_[3].empty() &&
          (columns_.size() < 5 || columns_[4].empty()))
        return Uncompleted();
      return Add(HazardCode::kShortRow, HazardSeverity::kWarning, columns_.size() - 1,
                 "a row of " + std::to_string(columns_.size()) +
                     " columns: the reader needs the target class, target parent and target "
                     "attribute (or '*') in columns 4 to 6");
    }
    if (columns_[3].empty() && columns_[4].empty()) return Uncompleted();
    size_t read = class_row ? 7 : 6;
    for (size_t i = 0; i < read && i + 1 < columns_.size(); ++i) {
      if (!columns_[i].empty() || !LaterValue(i)) continue;
      return Add(HazardCode::kEmptyColumn, HazardSeverity::kWarning, i,
                 ColumnName(i) +
                     " is empty: the values after it move one field forward, so "
                     "the reader " +
                     ReaderTakes(content_, i));
    }
    if (!class_row && RunsIntoLineEnd(columns_, false)) {
      Add(HazardCode::kAttributeWithoutComma, HazardSeverity::kWarning, 5,
          "the target attribute ends the line: the reader " + ReaderTakes(content_, 5),
          "add the comma that ends the row");
    }
  }

  bool LaterValue(size_t index) const {
    for (size_t j = index + 1; j < columns_.size(); ++j) {
      if (!columns_[j].empty()) return true;
    }
    return false;
  }

  void Uncompleted() {
    Add(HazardCode::kUncompletedRow, HazardSeverity::kNote, 3,
        "the target columns are empty: the run reports the row as badly mapped until it is "
        "completed (zorvez merge completes it in place)");
  }

  std::string_view content_;
  long line_;
  Hazards& hazards_;
  std::vector<std::string_view> columns_;
};

}  // namespace

std::optional<std::vector<std::string>> UnquotedColumns(std::string_view content) {
  std::vector<std::string> values;
  bool quoted_any = false;
  size_t i = 0;
  for (;;) {
    std::string value;
    if (i < content.size() && content[i] == '"') {
      quoted_any = true;
      for (++i;; ++i) {
        if (i >= content.size()) return std::nullopt;  // the quote closes on a later line
        if (content[i] != '"') {
          value += content[i];
        } else if (i + 1 < content.size() && content[i + 1] == '"') {
          value += '"';
          ++i;
        } else {
          ++i;
          break;
        }
      }
      if (i < content.size() && content[i] != ',') return std::nullopt;
    } else {
      size_t comma = content.find(',', i);
      size_t end = comma == std::string_view::npos ? content.size() : comma;
      value = std::string(content.substr(i, end - i));
      i = end;
    }
    values.push_back(std::move(value));
    if (i >= content.size()) break;
    ++i;  // the comma
    if (i == content.size()) {
      values.emplace_back();
      break;
    }
  }
  if (!quoted_any) return std::nullopt;
  return values;
}

std::string RepairedRow(std::string_view content) {
  std::string row(content);
  std::optional<std::vector<std::string>> values = UnquotedColumns(content);
  if (QuotingCanBeUndone(values)) row = Joined(*values);
  std::vector<std::string_view> columns = Columns(row);
  if (columns.size() < 3) return row;
  bool class_row = columns[2] == "*";
  bool no_mapping = row.find("No Mapping") != std::string::npos;
  // Both decisions are read off `columns` before `row` changes: the views
  // point into it.
  bool runs_into_line_end = RunsIntoLineEnd(columns, class_row) && (class_row || !no_mapping);
  if (!no_mapping && LineEndAsDomain(columns)) {
    row.resize(static_cast<size_t>(columns[6].data() - row.data()) - 1);
  } else if (runs_into_line_end) {
    row += ',';
  }
  return row;
}

long CharacterColumn(std::string_view content, size_t offset) {
  long column = 1;
  for (size_t i = 0; i < offset && i < content.size(); ++i) {
    if ((static_cast<unsigned char>(content[i]) & 0xC0) != 0x80) ++column;
  }
  return column;
}

bool CarriageReturnInField(std::string_view content, std::string_view end) {
  if (end.find('\r') == std::string_view::npos || content.find(',') == std::string_view::npos)
    return false;
  // A row that a comma will end keeps the carriage return out of its values.
  std::string text = RepairedRow(content);
  text += end;
  std::deque<std::string> pool;
  ParsedLine parsed = ParseLine(text, pool);
  // An attribute row's domain is read but never compared.
  MappingColumn last = parsed.Raw(MappingColumn::kSourceAttribute) == "*"
                           ? MappingColumn::kDomain
                           : MappingColumn::kTargetAttribute;
  for (MappingColumn column : kMappingColumns) {
    if (column <= last && parsed.Raw(column).find('\r') != std::string_view::npos) return true;
  }
  return false;
}

void ScanRowForm(std::string_view content, long line, Hazards& hazards) {
  RowScan(content, line, hazards).Run();
}
