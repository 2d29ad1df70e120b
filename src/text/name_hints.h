// "Did you mean": finds, among the names a dictionary or table knows, the
// one a mistyped name most likely stands for. A dictionary holds one set of
// names for its classes and one per class for its attributes, tens of
// thousands of sets in all, and most look-ups find the name they ask for:
// a small set is searched name by name and holds nothing but its names; a
// large one hashes its names, and builds its index of folded forms and
// their one-character deletions on the first hint asked of it, so that
// checking every row of a large table against a large dictionary stays
// linear.
#ifndef ZOR_TEXT_NAME_HINTS_H_
#define ZOR_TEXT_NAME_HINTS_H_

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

class NameHints {
 public:
  // Sets up to this size are searched name by name.
  static constexpr size_t kLinearLimit = 64;

  NameHints() = default;
  NameHints(NameHints&&) noexcept = default;
  NameHints& operator=(NameHints&&) noexcept = default;

  // A name already known is not added again.
  void Add(std::string_view name);
  bool Contains(std::string_view name) const;
  size_t size() const { return ends_.size(); }

  // For a name that is not known: the known name it differs from only in
  // letter case, blanks, underscores, hyphens or accents; failing that, one
  // within a single edit (a letter added, dropped, changed or two swapped)
  // of those folded forms. Ties go to the name added first.
  std::optional<std::string> DidYouMean(std::string_view name) const;

  // The same answer, always through the index (for tests: both ways agree).
  std::optional<std::string> DidYouMeanIndexed(std::string_view name) const;

 private:
  struct EditIndex {
    std::unordered_map<std::string, size_t> by_compact;  // first name of each folded form
    std::unordered_map<std::string, std::vector<size_t>> by_deletion;  // folded form less one byte
  };

  std::string_view Name(size_t index) const;
  std::optional<size_t> Linear(const std::string& compact) const;
  std::optional<size_t> Indexed(const std::string& compact) const;
  const EditIndex& Index() const;

  // The names one after the other, each ending where `ends_` says: two
  // blocks for a whole set, however many names it holds.
  std::string text_;
  std::vector<size_t> ends_;
  std::unordered_set<std::string> exact_;  // only past kLinearLimit names
  // Built on the first hint asked of a large set; look-ups are not made
  // from several threads at once.
  mutable std::unique_ptr<EditIndex> index_;
};

#endif  // ZOR_TEXT_NAME_HINTS_H_
