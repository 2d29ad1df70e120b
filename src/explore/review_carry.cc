#include "explore/review_carry.h"

#include <nlohmann/json.hpp>
#include <unordered_set>
#include <vector>

#include "explore/script_safe_json.h"

uint32_t AttributeNameHash(std::string_view key, std::string_view label) {
  uint32_t hash = 0x811c9dc5u;
  auto take = [&hash](std::string_view text) {
    for (unsigned char byte : text) hash = (hash ^ byte) * 0x01000193u;
  };
  take(key);
  take("\n");
  take(label);
  return hash;
}

std::string MappedItemsJson(const SuggestWork& work) {
  const SuggestInput& input = work.input;
  std::vector<bool> class_item(input.source.size(), false);
  std::vector<std::vector<bool>> attribute_item(input.source.size());
  for (size_t i : input.class_items) class_item[i] = true;
  for (const AttributeItem& item : input.attribute_items) {
    std::vector<bool>& items = attribute_item[item.source_class];
    items.resize(input.source[item.source_class].attributes.size(), false);
    items[item.source_attribute] = true;
  }
  std::unordered_set<std::string_view> seen;
  std::string out = "{";
  for (size_t i = 0; i < input.source.size(); ++i) {
    const SuggestClass& source = input.source[i];
    if (!seen.insert(source.key.view()).second) continue;
    const std::vector<bool>& items = attribute_item[i];
    const bool in_page = class_item[i] || !items.empty();
    std::string hashes;
    for (size_t a = 0; a < source.attributes.size(); ++a) {
      if (a < items.size() && items[a]) continue;
      if (!hashes.empty()) hashes += ',';
      hashes +=
          std::to_string(AttributeNameHash(source.attributes[a].key, source.attributes[a].label));
    }
    if (in_page && hashes.empty()) continue;
    if (out.size() > 1) out += ',';
    AppendScriptSafeString(out, source.key.view());
    out += ":[" + hashes + ']';
  }
  return out + '}';
}

std::string CarriedDecisionsJson(const DecidedItems& decided) {
  nlohmann::json entries = nlohmann::json::array();
  for (const JudgedEntry& judged : decided.judged) {
    if (judged.fate != DecisionFate::kCarried) continue;
    entries.push_back(DecisionEntryJson(*judged.entry));
  }
  return ScriptSafeJson(entries);
}
