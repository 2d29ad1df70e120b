#include "suggestion_run/row_rules.h"

#include "dictionary/mapping_columns.h"
#include "text/text_helpers.h"

std::string SpelledValue(std::string_view value) {
  ZORUnicodeString text{std::string(value)};
  AmpToggleHTML(text);
  return std::move(text.str());
}

std::string RowText(std::initializer_list<std::string_view> values) {
  std::string row;
  for (std::string_view value : values) {
    row += value == "*" ? std::string("*") : SpelledValue(value);
    row += ',';
  }
  return row;
}

std::optional<std::string_view> TargetParentDomain(const RowDomains& domains,
                                                   std::string_view target_parent) {
  auto it = domains.by_target_parent.find(target_parent);
  if (it == domains.by_target_parent.end()) return std::nullopt;
  return it->second;
}

std::string_view SourceParentDomain(const RowDomains& domains, std::string_view fallback,
                                    std::string_view source_parent) {
  auto it = domains.by_source_parent.find(source_parent);
  return it == domains.by_source_parent.end() ? fallback : std::string_view(it->second);
}

std::string_view ClassRowDomain(const RowDomains& domains, std::string_view fallback,
                                std::string_view target_parent, std::string_view source_parent) {
  return TargetParentDomain(domains, target_parent)
      .value_or(SourceParentDomain(domains, fallback, source_parent));
}

std::string DomainColumn(std::string_view domain) {
  return domain.empty() ? std::string() : SpelledValue(domain) + ",";
}

size_t FirstUnwritable(const std::vector<std::string_view>& values) {
  size_t at = 0;
  for (std::string_view value : values) {
    if (value.empty() || NoRowCanHold(value)) return at;
    ++at;
  }
  return kAllWritable;
}

std::unordered_map<std::string_view, size_t> FirstClassUnderEachParent(
    const std::vector<std::string_view>& parent_keys) {
  std::unordered_map<std::string_view, size_t> first;
  for (size_t i = 0; i < parent_keys.size(); ++i) first.try_emplace(parent_keys[i], i);
  return first;
}

std::string NoMappingClassRow(std::string_view name, std::string_view parent,
                              const RowDomains& domains, std::string_view fallback) {
  return RowText({name, parent, "*", kNoMapping, "", "*"}) +
         DomainColumn(ClassRowDomain(domains, fallback, "", parent));
}

std::string NoMappingAttributeRow(std::string_view name, std::string_view parent,
                                  std::string_view label) {
  return RowText({name, parent, label, kNoMapping});
}
