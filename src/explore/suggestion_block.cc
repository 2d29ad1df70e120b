#include "explore/suggestion_block.h"

#include <cmath>
#include <unordered_set>

#include "explore/finding_encoding.h"
#include "explore/script_safe_json.h"

namespace {

// Positions in an item: [source key, label, parent, class item, attribute
// items], then at Json() its row name, row parent and mapped target.
constexpr size_t kClassItem = 3;
constexpr size_t kAttributeItems = 4;

// A table row completed with another target: a merge never replaces it.
int RowIsComplete(const nlohmann::json& row) {
  if (!row.is_object()) return 0;
  return TextOf(FieldOf(row, "text")).find(",,") == std::string_view::npos ? 1 : 0;
}

// An attribute item's row is in its attribute finding already, and a class
// item's in its class finding: the line number is enough to name it.
nlohmann::json RowOf(const nlohmann::json& row) {
  if (!row.is_object()) return nullptr;
  const nlohmann::json& line = FieldOf(row, "line");
  return line.is_number_integer() ? line : nlohmann::json(0);
}

// Three decimals: the page shows two, and a score written with all the
// digits of a double would cost more than the candidate's names.
double ScoreOf(const nlohmann::json& candidate) {
  const nlohmann::json& score = FieldOf(candidate, "score");
  return score.is_number() ? std::round(score.get<double>() * 1000) / 1000 : 0.0;
}

std::string Text(const nlohmann::json& object, std::string_view name) {
  return std::string(TextOf(FieldOf(object, name)));
}

// Attribute items are most of the block, so they travel compact: the reason
// as a number (block "reasons"), and each candidate as [class, attribute,
// score, evidence] with the class left empty where it is the previous
// candidate's, and the attribute as its place among its class's carried
// attributes, or where it is not carried as its key followed by its label.
nlohmann::json CompactAttributeItems(nlohmann::json items,
                                     const std::unordered_map<std::string, size_t>& carried,
                                     CodeTable& reasons) {
  for (nlohmann::json& item : items) {
    for (nlohmann::json& attribute : item[kAttributeItems]) {
      attribute[2] = reasons.Code(attribute[2].get<std::string>());
      std::string previous;
      for (nlohmann::json& candidate : attribute[4]) {
        std::string owner = candidate[0].get<std::string>();
        std::string key = candidate[1].get<std::string>();
        std::string label = candidate[2].get<std::string>();
        auto place = carried.find(owner + '\n' + key + '\n' + label);
        nlohmann::json compact = {owner == previous ? "" : owner,
                                  place == carried.end() ? nlohmann::json(key) : nlohmann::json(place->second),
                                  candidate[3], candidate[4]};
        if (place == carried.end()) compact.push_back(label);
        previous = owner;
        candidate = std::move(compact);
      }
    }
  }
  return items;
}

// A carried attribute whose key is its label without blanks travels as the
// label alone.
nlohmann::json CarriedAttribute(const SuggestAttribute& attribute) {
  std::string joined;
  for (char c : attribute.label.view()) {
    if (c != ' ') joined += c;
  }
  if (joined == attribute.key.view()) return attribute.label.view();
  return nlohmann::json::array({attribute.key.view(), attribute.label.view()});
}

}  // namespace

nlohmann::json SuggestionBlock::WithRowNames(nlohmann::json items) const {
  for (nlohmann::json& item : items) {
    auto row = sourceRows_.find(item[0].get<std::string>());
    if (row == sourceRows_.end()) {
      item.push_back(item[1]);
      item.push_back(item[2]);
      item.push_back("");
    } else {
      item.push_back(row->second.name);
      item.push_back(row->second.parent);
      item.push_back(row->second.mappedTarget);
    }
  }
  return items;
}

nlohmann::json& SuggestionBlock::ItemOf(const nlohmann::json& source) {
  std::string key = Text(source, "key");
  auto [at, added] = itemOfKey_.try_emplace(key, items_.size());
  if (added) {
    items_.push_back(nlohmann::json::array(
        {key, Text(source, "label"), Text(source, "parent"), nullptr, nlohmann::json::array()}));
  }
  return items_[at->second];
}

void SuggestionBlock::RememberCandidateClass(const std::string& key) {
  candidateClasses_.push_back(key);
}

nlohmann::json SuggestionBlock::EvidenceMask(const nlohmann::json& evidence) {
  uint32_t mask = 0;
  if (evidence.is_array()) {
    for (const nlohmann::json& word : evidence) {
      size_t code = evidence_.Code(TextOf(word));
      if (code < 32) mask |= uint32_t{1} << code;
    }
  }
  return mask;
}

// A class item: [reason, row line, candidates [key, label, parent, score,
// evidence], accepted candidate or -1, 1 when its row is complete]. An attribute item: [label, key,
// reason, row line, candidates [class key, key, label, score, evidence],
// accepted or -1], made compact at Json().
void SuggestionBlock::Add(const nlohmann::json& record) {
  if (TextOf(FieldOf(record, "record")) != "suggestion") return;
  bool forClass = TextOf(FieldOf(record, "for")) == "class";
  if (!forClass && TextOf(FieldOf(record, "for")) != "attribute") return;
  nlohmann::json& item = ItemOf(FieldOf(record, "class"));
  const nlohmann::json& accepted = FieldOf(record, "accepted");
  nlohmann::json candidates = nlohmann::json::array();
  int acceptedAt = -1;
  const nlohmann::json& given = FieldOf(record, "candidates");
  for (const nlohmann::json& candidate : given.is_array() ? given : nlohmann::json::array()) {
    if (forClass) {
      std::string key = Text(candidate, "key");
      if (acceptedAt < 0 && accepted.is_string() && accepted.get<std::string>() == key) {
        acceptedAt = static_cast<int>(candidates.size());
      }
      RememberCandidateClass(key);
      candidates.push_back({key, Text(candidate, "label"), Text(candidate, "parent"),
                            ScoreOf(candidate), EvidenceMask(FieldOf(candidate, "evidence"))});
    } else {
      std::string owner = Text(candidate, "class"), key = Text(candidate, "key");
      if (acceptedAt < 0 && accepted.is_object() && Text(accepted, "class") == owner &&
          Text(accepted, "key") == key) {
        acceptedAt = static_cast<int>(candidates.size());
      }
      RememberCandidateClass(owner);
      candidates.push_back({owner, key, Text(candidate, "label"), ScoreOf(candidate),
                            EvidenceMask(FieldOf(candidate, "evidence"))});
    }
  }
  std::string reason = Text(record, "reason");
  if (forClass) {
    item[kClassItem] = {reason, RowOf(FieldOf(record, "row")), std::move(candidates), acceptedAt,
                        RowIsComplete(FieldOf(record, "row"))};
  } else {
    const nlohmann::json& attribute = FieldOf(record, "attribute");
    item[kAttributeItems].push_back({Text(attribute, "label"), Text(attribute, "key"), reason,
                                     RowOf(FieldOf(record, "row")), std::move(candidates),
                                     acceptedAt});
  }
}

void SuggestionBlock::SetTarget(std::shared_ptr<const NameStore> names, std::vector<SuggestClass> target,
                                SuggestDomains domains, std::vector<SuggestTargetRow> rows) {
  names_ = std::move(names);
  target_ = std::move(target);
  domains_ = std::move(domains);
  targetRows_ = std::move(rows);
}

void SuggestionBlock::SetSourceRow(const std::string& key, SuggestSourceRow row) {
  sourceRows_[key] = std::move(row);
}

// The attributes travel only for the candidate classes and their ancestors
// (where an attribute of a class may be found): all of them would double the
// page of a large dictionary.
std::string SuggestionBlock::Json() const {
  nlohmann::json targets = nlohmann::json::array();
  std::unordered_map<std::string, size_t> byKey;
  // A target class's row names follow its parent key only where they differ.
  for (size_t i = 0; i < target_.size(); ++i) {
    const SuggestClass& c = target_[i];
    byKey.emplace(c.key.str(), targets.size());
    nlohmann::json line = {c.key.view(), c.label.view(), c.parent_key.view()};
    if (i < targetRows_.size() &&
        (targetRows_[i].name != c.key || targetRows_[i].parent != c.parent_key)) {
      line.push_back(targetRows_[i].name);
      line.push_back(targetRows_[i].parent);
    }
    targets.push_back(std::move(line));
  }
  nlohmann::json attributes = nlohmann::json::object();
  std::unordered_set<std::string> done;
  // "class\nkey\nlabel" of each carried attribute, to its place in its class
  std::unordered_map<std::string, size_t> carriedNames;
  for (std::string key : candidateClasses_) {
    while (done.insert(key).second) {
      auto at = byKey.find(key);
      if (at == byKey.end()) break;
      const SuggestClass& c = target_[at->second];
      nlohmann::json list = nlohmann::json::array();
      for (const SuggestAttribute& a : c.attributes) {
        list.push_back(CarriedAttribute(a));
        carriedNames.try_emplace(c.key.str() + '\n' + a.key.str() + '\n' + a.label.str(), list.size() - 1);
      }
      attributes[c.key.str()] = std::move(list);
      key = c.parent_key.str();
    }
  }
  CodeTable reasons({});
  nlohmann::json items = WithRowNames(CompactAttributeItems(items_, carriedNames, reasons));
  nlohmann::json block = {
      {"evidence", evidence_.Names()},
      {"targets", std::move(targets)},
      {"attributes", std::move(attributes)},
      {"domains",
       {{"target", domains_.byTargetParent},
        {"source", domains_.bySourceParent},
        {"fallback", domains_.fallback}}},
      {"reasons", reasons.Names()},
      {"items", std::move(items)},
  };
  return ScriptSafeJson(block);
}
