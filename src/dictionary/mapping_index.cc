#include "dictionary/mapping_index.h"

#include <algorithm>
#include <functional>

#include "text/text_helpers.h"

size_t MappingIndex::PairHash::operator()(
    const std::pair<std::string_view, std::string_view>& key) const {
  size_t first = std::hash<std::string_view>()(key.first);
  return first ^ (std::hash<std::string_view>()(key.second) + 0x9E3779B97F4A7C15ull + (first << 6) +
                  (first >> 2));
}

MappingIndex::MappingIndex(const ZORUnicodeString& mapping_text)
    : text_length_(mapping_text.GetLengthInChar()) {
  std::string_view text = mapping_text.str();
  long position = 0;
  while (position <= text_length_) {
    long start = position;
    ReadNextLine(mapping_text, position);
    size_t from = static_cast<size_t>(std::min(start, text_length_));
    size_t to = static_cast<size_t>(std::min(position, text_length_));
    starts_.push_back(start);
    lines_.push_back(ParseLine(text.substr(from, to - from), pool_));
  }
  for (size_t i = 0; i < lines_.size(); ++i) {
    const ParsedLine& line = lines_[i];
    target_classes_.insert(line.Plain(4));
    if (line.Raw(3) != "*") continue;
    class_rows_.try_emplace({line.Plain(1), line.Plain(2)}, i);
    children_[line.Plain(2)].push_back(i);
  }
}

long MappingIndex::PositionAfter(size_t index) const {
  return index + 1 < starts_.size() ? starts_[index + 1] : text_length_ + 1;
}

size_t MappingIndex::LineAt(long position) const {
  auto it = std::upper_bound(starts_.begin(), starts_.end(), position);
  return static_cast<size_t>(it - starts_.begin()) - 1;
}

size_t MappingIndex::FirstClassRow(std::string_view name, std::string_view parent) const {
  auto it = class_rows_.find({name, parent});
  return it == class_rows_.end() ? kNone : it->second;
}

bool MappingIndex::NamesTargetClass(std::string_view name) const {
  return target_classes_.count(name) != 0;
}

const std::vector<size_t>& MappingIndex::ClassRowsWithParent(std::string_view parent) const {
  static const std::vector<size_t> kNoRows;
  auto it = children_.find(parent);
  return it == children_.end() ? kNoRows : it->second;
}
