#include "review/typed_targets.h"

#include <algorithm>
#include <unordered_set>

#include "text/folded_text.h"

namespace {

// Those named by the exact text, else those whose folded key, else folded
// label, is the folded text: `names(i)` gives entry i's key and its folded
// key and label.
template <typename Names>
std::vector<size_t> FindAll(size_t count, std::string_view typed, const Names& names) {
  const std::string wanted = FoldText(typed);
  std::vector<size_t> exact, by_key, by_label;
  for (size_t i = 0; i < count; ++i) {
    const auto [key, folded_key, folded_label] = names(i);
    if (key == typed) {
      exact.push_back(i);
    } else if (folded_key == wanted) {
      by_key.push_back(i);
    } else if (folded_label == wanted) {
      by_label.push_back(i);
    }
  }
  return !exact.empty() ? exact : !by_key.empty() ? by_key : by_label;
}

// The one found, or none with why.
std::optional<size_t> TheOne(const std::vector<size_t>& found, std::string_view typed,
                             std::string& problem, const std::string& what) {
  if (found.size() == 1) return found.front();
  problem = found.empty() ? std::string(typed) + " is not " + what
                          : std::string(typed) + " names several: type a key";
  return std::nullopt;
}

}  // namespace

TypedTargets::TypedTargets(const SuggestInput& input) : input_(input) {
  folded_keys_.reserve(input.target.size());
  folded_labels_.reserve(input.target.size());
  for (size_t t = 0; t < input.target.size(); ++t) {
    folded_keys_.push_back(FoldText(input.target[t].key.view()));
    folded_labels_.push_back(FoldText(input.target[t].label.view()));
    first_of_key_.emplace(input.target[t].key.view(), t);
  }
}

std::optional<size_t> TypedTargets::ClassOfKey(std::string_view key) const {
  auto found = first_of_key_.find(key);
  if (found == first_of_key_.end()) return std::nullopt;
  return found->second;
}

std::optional<size_t> TypedTargets::FindClass(std::string_view typed, std::string& problem) const {
  std::vector<size_t> found = FindAll(input_.target.size(), typed, [&](size_t t) {
    return std::tuple<std::string_view, std::string_view, std::string_view>(
        input_.target[t].key.view(), folded_keys_[t], folded_labels_[t]);
  });
  // Classes of one key are one row's target: the first of them.
  for (size_t& t : found) t = *ClassOfKey(input_.target[t].key.view());
  std::sort(found.begin(), found.end());
  found.erase(std::unique(found.begin(), found.end()), found.end());
  return TheOne(found, typed, problem, "a class of the target dictionary");
}

std::vector<size_t> TypedTargets::Lineage(size_t owner) const {
  std::vector<size_t> lineage{owner};
  for (;;) {
    const std::optional<size_t> parent =
        ClassOfKey(input_.target[lineage.back()].parent_key.view());
    if (!parent || std::find(lineage.begin(), lineage.end(), *parent) != lineage.end()) break;
    lineage.push_back(*parent);
  }
  return lineage;
}

std::vector<AttributeAt> TypedTargets::AttributesOf(size_t owner) const {
  std::vector<AttributeAt> attributes;
  std::unordered_set<std::string_view> keys;
  for (size_t holder : Lineage(owner)) {
    const std::vector<SuggestAttribute>& own = input_.target[holder].attributes;
    for (size_t a = 0; a < own.size(); ++a) {
      if (keys.insert(own[a].key.view()).second) attributes.push_back({holder, a});
    }
  }
  return attributes;
}

std::optional<AttributeAt> TypedTargets::FindAttribute(size_t owner, std::string_view typed,
                                                       std::string& problem) const {
  const std::vector<AttributeAt> attributes = AttributesOf(owner);
  std::vector<std::string> keys, labels;
  for (const AttributeAt& a : attributes) {
    const SuggestAttribute& named = input_.target[a.holder].attributes[a.attribute];
    keys.push_back(FoldText(named.key.view()));
    labels.push_back(FoldText(named.label.view()));
  }
  const std::vector<size_t> found = FindAll(attributes.size(), typed, [&](size_t i) {
    const SuggestAttribute& named =
        input_.target[attributes[i].holder].attributes[attributes[i].attribute];
    return std::tuple<std::string_view, std::string_view, std::string_view>(named.key.view(),
                                                                            keys[i], labels[i]);
  });
  const std::optional<size_t> one = TheOne(found, typed, problem,
                                           "an attribute of " + input_.target[owner].key.str() +
                                               " or its ancestors in the target dictionary");
  if (!one) return std::nullopt;
  return attributes[*one];
}

namespace {

// Places the entries whose folded key or label begins with the text first,
// then those that hold it; at most `limit`.
template <typename Names, typename Make>
std::vector<Completion> Complete(size_t count, std::string_view typed, size_t limit,
                                 const Names& names, const Make& make) {
  const std::string wanted = FoldText(typed);
  std::vector<Completion> first, then;
  if (wanted.empty()) return first;
  for (size_t i = 0; i < count && first.size() < limit; ++i) {
    const auto [key, label] = names(i);
    if (key.starts_with(wanted) || label.starts_with(wanted)) {
      first.push_back(make(i));
    } else if (then.size() < limit && (key.find(wanted) != std::string_view::npos ||
                                       label.find(wanted) != std::string_view::npos)) {
      then.push_back(make(i));
    }
  }
  for (Completion& c : then) {
    if (first.size() == limit) break;
    first.push_back(std::move(c));
  }
  return first;
}

}  // namespace

std::vector<Completion> TypedTargets::CompleteClass(std::string_view typed, size_t limit) const {
  // Each key once: a second class of a key is no target of its own.
  static const std::string_view kNone;
  return Complete(
      input_.target.size(), typed, limit,
      [&](size_t t) {
        if (*ClassOfKey(input_.target[t].key.view()) != t)
          return std::pair<std::string_view, std::string_view>(kNone, kNone);
        return std::pair<std::string_view, std::string_view>(folded_keys_[t], folded_labels_[t]);
      },
      [&](size_t t) {
        return Completion{input_.target[t].key.str(), input_.target[t].label.str(), ""};
      });
}

std::vector<Completion> TypedTargets::CompleteAttribute(size_t owner, std::string_view typed,
                                                        size_t limit) const {
  const std::vector<AttributeAt> attributes = AttributesOf(owner);
  std::vector<std::string> keys, labels;
  for (const AttributeAt& a : attributes) {
    const SuggestAttribute& named = input_.target[a.holder].attributes[a.attribute];
    keys.push_back(FoldText(named.key.view()));
    labels.push_back(FoldText(named.label.view()));
  }
  return Complete(
      attributes.size(), typed, limit,
      [&](size_t i) { return std::pair<std::string_view, std::string_view>(keys[i], labels[i]); },
      [&](size_t i) {
        const SuggestClass& holder = input_.target[attributes[i].holder];
        const SuggestAttribute& named = holder.attributes[attributes[i].attribute];
        return Completion{named.key.str(), named.label.str(), holder.key.str()};
      });
}
