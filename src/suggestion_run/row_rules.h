// How a completed row of the mapping table is written, one rule each: a
// value spelled as the table spells it, the domain a class row takes, the
// values no row can hold, and the target class that the lookup of an
// attribute row naming a class finds. `zorvez suggest`'s row plan and the
// explorer page's block of suggestions both write rows by these rules, so
// that the page's export is, byte for byte, what suggest writes.
#ifndef ZOR_SUGGESTION_RUN_ROW_RULES_H_
#define ZOR_SUGGESTION_RUN_ROW_RULES_H_

#include <cstddef>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// A value as the table spells it: every "&" that does not begin "&amp;" or
// "&nbsp;" as "&amp;".
std::string SpelledValue(std::string_view value);

// The values as a row's columns, each followed by its comma; "*" as it is.
std::string RowText(std::initializer_list<std::string_view> values);

// The domains the table's class rows give, by target parent and by source
// parent (columns 5 and 2, plain), as written; the first row wins.
struct RowDomains {
  std::map<std::string, std::string, std::less<>> by_target_parent;
  std::map<std::string, std::string, std::less<>> by_source_parent;
};

// The domain of a class row: the one the table gives its target parent,
// else its source parent, else `fallback` (the target dictionary's). The
// explorer page carries the two steps apart: the first per target class,
// the second per source class.
std::string_view ClassRowDomain(const RowDomains& domains, std::string_view fallback,
                                std::string_view target_parent, std::string_view source_parent);
std::optional<std::string_view> TargetParentDomain(const RowDomains& domains,
                                                   std::string_view target_parent);
std::string_view SourceParentDomain(const RowDomains& domains, std::string_view fallback,
                                    std::string_view source_parent);
// The domain's column: "DOMAIN," spelled, or nothing for an empty domain.
std::string DomainColumn(std::string_view domain);

// The No Mapping rows of a class and of an attribute, in the table's own
// form, which a merge takes as it is: a class row keeps its domain column
// (that of its source parent), an attribute row ends after "No Mapping"
// (empty columns after it would read as a spreadsheet's padding).
inline constexpr std::string_view kNoMapping = "No Mapping";
std::string NoMappingClassRow(std::string_view name, std::string_view parent,
                              const RowDomains& domains, std::string_view fallback);
std::string NoMappingAttributeRow(std::string_view name, std::string_view parent,
                                  std::string_view label);

// The place of the first value no table row can hold, or kAllWritable: the
// table reader misreads a row with an empty name or parent, and no row can
// hold a comma or a line end (NoRowCanHold).
inline constexpr size_t kAllWritable = static_cast<size_t>(-1);
size_t FirstUnwritable(const std::vector<std::string_view>& values);

// Per parent key, the first class of the target (in its order, given by
// the classes' parent keys) that has it: an attribute row naming a class is
// looked up in the first class under the class's parent, so it reaches only
// that one.
std::unordered_map<std::string_view, size_t> FirstClassUnderEachParent(
    const std::vector<std::string_view>& parent_keys);

#endif  // ZOR_SUGGESTION_RUN_ROW_RULES_H_
