#include "explore/target_places.h"

#include <algorithm>
#include <map>
#include <tuple>

#include "explore/row_facts.h"
#include "explore/script_safe_json.h"

namespace {

void AppendCarriedAttribute(std::string& out, const SuggestAttribute& attribute) {
  std::string_view key = attribute.key.view(), label = attribute.label.view();
  size_t blanks = static_cast<size_t>(std::count(label.begin(), label.end(), ' '));
  bool key_is_label = blanks + key.size() == label.size();
  for (size_t k = 0, l = 0; key_is_label && l < label.size(); ++l) {
    if (label[l] == ' ') continue;
    key_is_label = key[k++] == label[l];
  }
  if (key_is_label) {
    AppendScriptSafeString(out, label);
    return;
  }
  out += '[';
  AppendScriptSafeString(out, key);
  out += ',';
  AppendScriptSafeString(out, label);
  out += ']';
}

}  // namespace

void TargetPlaces::Set(std::shared_ptr<const NameStore> names, std::vector<SuggestClass> target,
                       std::vector<SuggestTargetRow> rows) {
  names_ = std::move(names);
  target_ = std::move(target);
  rows_ = std::move(rows);
  index_of_key_.clear();
  for (size_t i = 0; i < target_.size(); ++i) {
    index_of_key_.try_emplace(target_[i].key.view(), static_cast<uint32_t>(i));
  }
  sorted_.assign(target_.size(), {});
  remembered_.assign(target_.size(), false);
}

std::optional<uint32_t> TargetPlaces::IndexOf(std::string_view class_key) const {
  auto found = index_of_key_.find(class_key);
  if (found == index_of_key_.end()) return std::nullopt;
  return found->second;
}

void TargetPlaces::Remember(std::string_view class_key) {
  if (std::optional<uint32_t> index = IndexOf(class_key)) remembered_[*index] = true;
}

const std::vector<uint32_t>& TargetPlaces::SortedAttributes(uint32_t index) {
  std::vector<uint32_t>& sorted = sorted_[index];
  const std::vector<SuggestAttribute>& attributes = target_[index].attributes;
  if (sorted.size() == attributes.size()) return sorted;
  sorted.resize(attributes.size());
  for (uint32_t i = 0; i < sorted.size(); ++i) sorted[i] = i;
  std::sort(sorted.begin(), sorted.end(), [&](uint32_t a, uint32_t b) {
    return std::tuple(attributes[a].key.view(), attributes[a].label.view(), a) <
           std::tuple(attributes[b].key.view(), attributes[b].label.view(), b);
  });
  return sorted;
}

std::optional<uint32_t> TargetPlaces::PlaceOf(std::string_view class_key, std::string_view key,
                                              std::string_view label) {
  std::optional<uint32_t> index = IndexOf(class_key);
  if (!index) return std::nullopt;
  const std::vector<SuggestAttribute>& attributes = target_[*index].attributes;
  const std::vector<uint32_t>& sorted = SortedAttributes(*index);
  auto at = std::lower_bound(
      sorted.begin(), sorted.end(), std::pair(key, label), [&](uint32_t place, const auto& wanted) {
        return std::pair(attributes[place].key.view(), attributes[place].label.view()) < wanted;
      });
  if (at == sorted.end() || attributes[*at].key.view() != key ||
      attributes[*at].label.view() != label) {
    return std::nullopt;
  }
  return *at;
}

void TargetPlaces::AppendClasses(std::string& out, const RowDomains& domains) const {
  std::unordered_map<std::string_view, size_t> classes_of_key;
  std::vector<std::string_view> parents;
  for (const SuggestClass& c : target_) {
    ++classes_of_key[c.key.view()];
    parents.push_back(c.parent_key.view());
  }
  const auto first_under = FirstClassUnderEachParent(parents);
  out += '[';
  for (size_t i = 0; i < target_.size(); ++i) {
    const SuggestClass& c = target_[i];
    if (i > 0) out += ',';
    out += '[';
    AppendScriptSafeString(out, c.key.view());
    out += ',';
    AppendScriptSafeString(out, c.label.view());
    out += ',';
    AppendScriptSafeString(out, c.parent_key.view());
    const bool named = i < rows_.size();
    const std::string facts = TargetClassFacts(
        {c.key.view(), c.parent_key.view(), named ? std::string_view(rows_[i].name) : c.key.view(),
         named ? std::string_view(rows_[i].parent) : c.parent_key.view(),
         classes_of_key[c.key.view()] > 1, target_[first_under.at(c.parent_key.view())].key.view()},
        domains);
    if (!facts.empty()) out += ',' + facts;
    out += ']';
  }
  out += ']';
}

std::map<std::string_view, uint32_t> TargetPlaces::CarriedByKey() const {
  std::vector<bool> carried(target_.size(), false);
  for (uint32_t i = 0; i < target_.size(); ++i) {
    if (!remembered_[i]) continue;
    for (std::optional<uint32_t> at = i; at && !carried[*at];
         at = IndexOf(target_[*at].parent_key.view())) {
      carried[*at] = true;
    }
  }
  std::map<std::string_view, uint32_t> by_key;
  for (uint32_t i = 0; i < target_.size(); ++i) {
    if (carried[i]) by_key.emplace(target_[i].key.view(), i);
  }
  return by_key;
}

void TargetPlaces::ForEachCarriedKey(const std::function<void(std::string_view)>& visit) const {
  for (const auto& [key, index] : CarriedByKey()) {
    for (const SuggestAttribute& attribute : target_[index].attributes) visit(attribute.key.view());
  }
}

void TargetPlaces::AppendCarriedAttributes(std::string& out) const {
  out += '{';
  bool first = true;
  for (const auto& [key, index] : CarriedByKey()) {
    if (!first) out += ',';
    first = false;
    AppendScriptSafeString(out, key);
    out += ":[";
    const std::vector<SuggestAttribute>& attributes = target_[index].attributes;
    for (size_t a = 0; a < attributes.size(); ++a) {
      if (a > 0) out += ',';
      AppendCarriedAttribute(out, attributes[a]);
    }
    out += ']';
  }
  out += '}';
}
