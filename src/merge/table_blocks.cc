#include "merge/table_blocks.h"

#include "dictionary/parsed_line.h"
#include "merge/misread_rows.h"
#include "text/text_helpers.h"
#include "text/zor_token.h"

namespace {

// A field with "&amp;" undone, as the lookups compare it.
std::string_view Plain(std::string_view field, std::deque<std::string>& pool) {
  if (field.find('&') == std::string_view::npos) return field;
  ZORUnicodeString plain(field);
  AmpTogglePlain(plain);
  if (plain.str() == field) return field;
  pool.push_back(std::move(plain.str()));
  return pool.back();
}

std::string LowerCaseKey(std::string_view value) {
  ZORUnicodeString plain(value);
  AmpTogglePlain(plain);
  std::string key = std::move(plain.str());
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

// The first three fields of a line, as the attribute walk compares them:
// the class name and the attribute unescaped, the third also as written.
// The walk never needs the rest of the line.
struct FirstFields {
  std::string_view name;
  std::string_view attribute;
  std::string_view written_attribute;
};

FirstFields ReadFirstFields(std::string_view line, std::deque<std::string>& pool) {
  ZORToken tokens(line);
  FirstFields fields;
  fields.name = Plain(tokens.NextTokenView(','), pool);
  tokens.NextTokenView(',');
  fields.written_attribute = tokens.NextTokenView(',');
  fields.attribute = Plain(fields.written_attribute, pool);
  return fields;
}

}  // namespace

TableBlocks::TableBlocks(std::string table_text) : run_text_(std::move(table_text)) {
  run_text_ += '\n';
  std::string_view table = run_text_;
  table.remove_suffix(1);
  lines_ = SplitLines(table);
  size_t nul = table.find('\0');
  if (nul != std::string_view::npos) nul_ = nul;
  // Only the first three fields decide whether a line is a class row, and
  // most lines are not: the rest of a line is never taken apart here.
  for (size_t line = 0; line < lines_.size(); ++line) {
    ZORToken tokens(RunLine(line));
    std::string_view name = tokens.NextTokenView(',');
    std::string_view parent = tokens.NextTokenView(',');
    if (tokens.NextTokenView(',') != "*") continue;
    class_rows_.try_emplace(ViewPair{Plain(name, pool_), Plain(parent, pool_)}, line);
  }
}

std::string_view TableBlocks::RunLine(size_t line) const {
  std::string_view text = lines_[line].Text();
  if (!lines_[line].end.ends_with('\n')) text = std::string_view(text.data(), text.size() + 1);
  return text;
}

size_t TableBlocks::FirstClassRow(std::string_view name, std::string_view parent) const {
  auto it = class_rows_.find(ViewPair{name, parent});
  return it == class_rows_.end() ? kNone : it->second;
}

size_t TableBlocks::BlockEnd(size_t class_row, std::string_view name) const {
  std::deque<std::string> pool;
  size_t line = class_row + 1;
  for (; line < lines_.size(); ++line) {
    pool.clear();
    const FirstFields row = ReadFirstFields(RunLine(line), pool);
    if (row.written_attribute == "*" || !FieldMatches(row.name, name)) break;
  }
  return line;
}

size_t TableBlocks::RowTakenFor(size_t class_row, size_t block_end, std::string_view label) const {
  // The rows of one block are asked for one after the other: the block is
  // read once, its first row for each label kept.
  if (taken_in_.first != class_row || taken_in_.second != block_end) {
    taken_in_ = {class_row, block_end};
    taken_.clear();
    std::deque<std::string> pool;
    for (size_t line = class_row + 1; line < block_end; ++line) {
      pool.clear();
      taken_.try_emplace(std::string(ReadFirstFields(RunLine(line), pool).attribute), line);
    }
  }
  auto it = taken_.find(label);
  return it == taken_.end() ? kNone : it->second;
}

size_t TableBlocks::NearClassRow(std::string_view name, std::string_view parent) const {
  if (!near_rows_) {
    near_rows_.emplace();
    for (size_t line = 0; line < lines_.size(); ++line) {
      // Only lines that hold a "*" can be meant as class rows.
      if (lines_[line].content.find('*') == std::string_view::npos) continue;
      std::vector<std::string> values = MeantValues(lines_[line].content, line == 0);
      if (values.size() < 3 || values[2] != "*") continue;
      near_rows_->try_emplace({LowerCaseKey(values[0]), LowerCaseKey(values[1])}, line);
    }
  }
  auto it = near_rows_->find({LowerCaseKey(name), LowerCaseKey(parent)});
  return it == near_rows_->end() ? kNone : it->second;
}
