#include "suggest/burying_rows.h"

#include <algorithm>
#include <string>
#include <unordered_map>

#include "suggest/name_words.h"

namespace {

// A class's names as the matcher compares them whole: folded, without
// blanks or punctuation ("Seal Housing" and "SEAL_HOUSING" are one).
struct Compacts {
  std::string label;
  std::string key;
};

Compacts CompactsOf(const SuggestClass& c) {
  const std::string_view label = c.label.empty() ? c.key.view() : c.label.view();
  return {CompactName(NameWords(label)), CompactName(NameWords(c.key.view()))};
}

bool ReadsAsOwn(const Compacts& a, const Compacts& b) {
  return (!a.label.empty() && a.label == b.label) || (!a.key.empty() && a.key == b.key);
}

}  // namespace

std::vector<BuryingRow> FindBuryingRows(const SuggestInput& input) {
  std::vector<BuryingRow> burying;
  if (input.class_anchors.empty() || input.class_items.empty()) return burying;
  // Per target a row takes: the one row's source, or none once two rows take it.
  constexpr size_t kSeveral = SIZE_MAX;
  std::unordered_map<size_t, size_t> row_of;
  for (const ClassAnchor& anchor : input.class_anchors) {
    auto [at, fresh] = row_of.emplace(anchor.target, anchor.source);
    if (!fresh) at->second = kSeveral;
  }
  // The targets one row takes, by their compact labels and keys.
  std::unordered_map<std::string, std::vector<size_t>> by_label, by_key;
  for (auto& [target, source] : row_of) {
    const Compacts names = CompactsOf(input.target[target]);
    if (source == kSeveral || ReadsAsOwn(CompactsOf(input.source[source]), names)) continue;
    if (!names.label.empty()) by_label[names.label].push_back(target);
    if (!names.key.empty()) by_key[names.key].push_back(target);
  }
  if (by_label.empty() && by_key.empty()) return burying;
  for (size_t i = 0; i < input.class_items.size(); ++i) {
    const Compacts item = CompactsOf(input.source[input.class_items[i]]);
    std::vector<size_t> named;
    auto add = [&](const std::unordered_map<std::string, std::vector<size_t>>& map,
                   const std::string& name) {
      auto found = map.find(name);
      if (found == map.end()) return;
      for (size_t target : found->second) {
        if (std::find(named.begin(), named.end(), target) == named.end()) named.push_back(target);
      }
    };
    add(by_label, item.label);
    add(by_key, item.key);
    std::sort(named.begin(), named.end());
    for (size_t target : named) burying.push_back({i, row_of.at(target), target});
  }
  return burying;
}
