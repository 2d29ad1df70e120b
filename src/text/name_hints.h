// "Did you mean": finds, among the names a dictionary or table knows, the
// one a mistyped name most likely stands for. Look-ups go through indexes
// built once (folded forms and their one-character deletions), so checking
// every row of a large table against a large dictionary stays linear.
#ifndef ZOR_TEXT_NAME_HINTS_H_
#define ZOR_TEXT_NAME_HINTS_H_

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class NameHints {
 public:
  void Add(std::string_view name);
  bool Contains(std::string_view name) const { return exact_.count(std::string(name)) > 0; }

  // For a name that is not known: the known name it differs from only in
  // letter case, blanks, underscores, hyphens or accents; failing that, one
  // within a single edit (a letter added, dropped, changed or two swapped)
  // of those folded forms. Ties go to the name added first.
  std::optional<std::string> DidYouMean(std::string_view name) const;

 private:
  std::optional<size_t> CloseByOneEdit(const std::string& compact) const;

  std::vector<std::string> names_;
  std::unordered_set<std::string> exact_;
  std::unordered_map<std::string, size_t> byCompact_;             // first name of each folded form
  std::unordered_map<std::string, std::vector<size_t>> byDeletion_;  // folded form less one byte
};

#endif  // ZOR_TEXT_NAME_HINTS_H_
