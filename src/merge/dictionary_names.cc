#include "merge/dictionary_names.h"

#include <algorithm>
#include <vector>

#include "merge/ddl_name.h"
#include "merge/row_check.h"
#include "text/quoted_value.h"
#include "text/text_helpers.h"

namespace {

std::string Unescaped(std::string_view value) {
  ZORUnicodeString plain(value);
  AmpTogglePlain(plain);
  return std::move(plain.str());
}

std::string Hint(const NameHints& names, std::string_view name) {
  std::optional<std::string> meant = names.DidYouMean(name);
  return meant ? ": did you mean " + Quoted(*meant) + "?" : "";
}

// What `file` lacks among the class, its parent and the attribute named in
// columns first to first + 2; `strict` refuses names without a hint too.
std::string Missing(const DictionaryNames& names, std::string_view file,
                    const std::vector<std::string>& values, size_t first, bool class_row,
                    bool strict) {
  const std::string& name = values[first];
  if (!names.Classes().Contains(name)) {
    std::string hint = Hint(names.Classes(), name);
    if (!strict && hint.empty()) return "";
    return ColumnLabel(first) + ": " + std::string(file) + " has no class " + Quoted(name) + hint;
  }
  if (!names.HasParent(name, values[first + 1])) {
    return ColumnLabel(first + 1) + ": class " + Quoted(name) + " has the parent " +
           Quoted(names.ParentOf(name)) + " in " + std::string(file) + ", not " +
           Quoted(values[first + 1]) + ", and the lookups compare both";
  }
  if (class_row) return "";
  const NameHints& attributes = names.AttributesOf(name);
  const std::string& attribute = values[first + 2];
  if (attributes.Contains(attribute)) return "";
  std::string hint = Hint(attributes, attribute);
  if (!strict && hint.empty()) return "";
  return ColumnLabel(first + 2) + ": class " + Quoted(name) + " of " + std::string(file) +
         " has no attribute " + Quoted(attribute) + hint;
}

}  // namespace

void DictionaryNames::AddClass(std::string_view name, std::string_view parent) {
  classes_.Add(name);
  std::vector<std::string>& parents = by_name_[std::string(name)].parents;
  if (std::find(parents.begin(), parents.end(), parent) == parents.end()) {
    parents.emplace_back(parent);
  }
}

void DictionaryNames::AddAttribute(std::string_view class_name, std::string_view attribute) {
  by_name_[std::string(class_name)].attributes.Add(attribute);
}

const DictionaryNames::ClassNames* DictionaryNames::Find(std::string_view name) const {
  auto it = by_name_.find(std::string(name));
  return it == by_name_.end() ? nullptr : &it->second;
}

const std::string& DictionaryNames::ParentOf(std::string_view name) const {
  static const std::string kNone;
  const ClassNames* known = Find(name);
  return known == nullptr || known->parents.empty() ? kNone : known->parents.front();
}

bool DictionaryNames::HasParent(std::string_view name, std::string_view parent) const {
  const ClassNames* known = Find(name);
  return known != nullptr &&
         std::find(known->parents.begin(), known->parents.end(), parent) != known->parents.end();
}

const NameHints& DictionaryNames::AttributesOf(std::string_view name) const {
  static const NameHints kNone;
  const ClassNames* known = Find(name);
  return known == nullptr ? kNone : known->attributes;
}

std::string CheckNewClassName(const CompletedRow& row, const DictionaryNames& target) {
  if (!row.check.Usable() || !row.check.class_row || row.check.no_mapping) return "";
  std::vector<std::string_view> columns = Columns(row.content);
  if (columns.size() < 4) return "";
  const std::string target_class = Unescaped(columns[3]);
  if (target_class.empty() || target.Classes().Contains(target_class)) return "";
  return DdlNameMismatch(row.name, target_class).value_or("");
}

std::string CheckRowNames(const CompletedRow& row, const DictionaryNames* source,
                          std::string_view source_file, const DictionaryNames* target,
                          std::string_view target_file) {
  std::vector<std::string> values;
  for (std::string_view column : Columns(row.content)) values.push_back(Unescaped(column));
  values.resize(std::max<size_t>(values.size(), 6));
  if (source) {
    std::string missing = Missing(*source, source_file, values, 0, row.check.class_row, true);
    if (!missing.empty()) return missing;
  }
  // A "No Mapping" row names no target.
  if (!target || row.check.no_mapping) return "";
  // A target class or attribute the target lacks is proposed in the DDL by
  // the next run, unless a known one is close enough to be the one meant.
  return Missing(*target, target_file, values, 3, row.check.class_row, false);
}
