#include "explore/code_table.h"

#include <algorithm>

CodeTable::CodeTable(std::initializer_list<std::string_view> known)
    : names_(known.begin(), known.end()) {}

size_t CodeTable::Code(std::string_view name) {
  auto found = std::find(names_.begin(), names_.end(), name);
  if (found != names_.end()) return static_cast<size_t>(found - names_.begin());
  names_.emplace_back(name);
  return names_.size() - 1;
}
