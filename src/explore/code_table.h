// Small numbers for the few names that repeat on every finding (verdicts,
// finding kinds, sections), so that the page carries each name once. Known
// names keep a fixed order; a name not seen before gets the next number.
#ifndef ZOR_EXPLORE_CODE_TABLE_H_
#define ZOR_EXPLORE_CODE_TABLE_H_

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class CodeTable {
 public:
  explicit CodeTable(std::initializer_list<std::string_view> known);
  size_t Code(std::string_view name);
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

#endif  // ZOR_EXPLORE_CODE_TABLE_H_
