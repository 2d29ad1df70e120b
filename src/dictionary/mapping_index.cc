#include "dictionary/mapping_index.h"

#include <algorithm>
#include <cassert>
#include <cstring>
#include <functional>

MappingIndex::MappingIndex(const ZORUnicodeString& mapping_text)
    : text_(mapping_text.str()), text_length_(mapping_text.GetLengthInChar()) {
  // The lines the reader yields from position 0 until past the end: each
  // line after a line end, then the empty text at the end.
  starts_.reserve(static_cast<size_t>(std::count(text_.begin(), text_.end(), '\n')) + 2);
  for (long position = 0; position <= text_length_;) {
    starts_.push_back(position);
    const void* line_end =
        std::memchr(text_.data() + position, '\n', static_cast<size_t>(text_length_ - position));
    position = line_end ? static_cast<const char*>(line_end) - text_.data() + 1 : text_length_ + 1;
  }
  for (size_t i = 0; i < starts_.size(); ++i) {
    ParsedLine line = Line(i, pool_);
    target_classes_.insert(line.Plain(MappingColumn::kTargetClass));
    if (line.Raw(MappingColumn::kSourceAttribute) != "*") continue;
    class_rows_.try_emplace(
        {line.Plain(MappingColumn::kSourceClass), line.Plain(MappingColumn::kSourceParent)}, i);
    children_[line.Plain(MappingColumn::kSourceParent)].push_back(i);
  }
}

ParsedLine MappingIndex::Line(size_t index, std::deque<std::string>& pool) const {
  assert(index < starts_.size() && "a line of the table");
  size_t start = static_cast<size_t>(std::min(starts_[index], text_length_));
  size_t end = static_cast<size_t>(std::min(PositionAfter(index), text_length_));
  return ParseLine(text_.substr(start, end - start), pool);
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
