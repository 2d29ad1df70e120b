#include "suggestions/suggest_rows.h"

#include <algorithm>
#include <deque>
#include <map>
#include <ostream>
#include <unordered_map>
#include <string_view>

#include "dictionary/parsed_line.h"
#include "text/text_helpers.h"

namespace {

std::string_view WithoutLineEnd(std::string_view value) {
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.remove_suffix(1);
  return value;
}

class TableDomains {
 public:
  explicit TableDomains(const std::string& text) : maps_(ReadTableDomains(text)) {}

  std::string For(const std::string& target_parent, const std::string& source_parent,
                  const std::string& fallback) const {
    if (auto it = maps_.byTargetParent.find(target_parent); it != maps_.byTargetParent.end()) {
      return it->second;
    }
    if (auto it = maps_.bySourceParent.find(source_parent); it != maps_.bySourceParent.end()) {
      return it->second;
    }
    return fallback;
  }

 private:
  TableDomainMaps maps_;
};

// A value as the table spells it: "&" as "&amp;".
std::string Spelled(const std::string& value) {
  ZORUnicodeString text(value);
  AmpToggleHTML(text);
  return std::move(text.str());
}

std::string Row(std::initializer_list<const std::string*> values) {
  std::string row;
  for (const std::string* value : values) {
    row += *value == "*" ? "*" : Spelled(*value);
    row += ',';
  }
  row += '\n';
  return row;
}

class RowWriter {
 public:
  RowWriter(const SuggestWork& work, const SuggestOutput& output, const std::string& table_text,
            const std::string& table_path, std::ostream& out)
      : work_(work), output_(output), domains_(table_text), tablePath_(table_path), out_(out) {
    effectiveTarget_ = work.mappedTarget;
    // The attribute items by their class, in their own order within it.
    attributesByClass_.resize(output.attributes.size());
    for (size_t i = 0; i < output.attributes.size(); ++i) attributesByClass_[i] = i;
    std::stable_sort(attributesByClass_.begin(), attributesByClass_.end(), [&](size_t a, size_t b) {
      return output.attributes[a].item.source_class < output.attributes[b].item.source_class;
    });
    for (size_t i = work.input.target.size(); i-- > 0;) {
      firstWithParent_[work.input.target[i].parent_key] = i;
    }
  }

  std::vector<std::string> Write() {
    std::vector<long> class_item_of(work_.input.source.size(), -1);
    for (size_t i = 0; i < output_.classes.size(); ++i) {
      class_item_of[output_.classes[i].source] = static_cast<long>(i);
    }
    size_t next = 0;
    for (size_t source = 0; source < work_.input.source.size(); ++source) {
      if (class_item_of[source] >= 0) ClassRow(static_cast<size_t>(class_item_of[source]));
      for (; next < attributesByClass_.size() &&
             output_.attributes[attributesByClass_[next]].item.source_class == source;
           ++next) {
        AttributeRow(attributesByClass_[next]);
      }
    }
    return std::move(notes_);
  }

 private:
  // A value no row can hold: a comma or a line end in it, or nothing at all
  // (the table reader reads a row with an empty name or parent as another
  // kind of row). `item` names what the row is for.
  bool Unwritable(const std::string& value, const std::string& what, const std::string& item) {
    if (value.empty()) {
      notes_.push_back(item + ": its " + what + " is empty, which no table row can hold, so no "
                       "row is written for it");
      return true;
    }
    if (value.find(',') == std::string::npos && value.find('\n') == std::string::npos) {
      return false;
    }
    notes_.push_back(what + " '" + value + "' holds a comma or a line end: no table row can "
                          "name it, so no row is written for it");
    return true;
  }

  std::string Where(const ItemContext& context) const {
    return context.row ? tablePath_ + ":" + std::to_string(context.row->line) + ": " : "";
  }

  void ClassRow(size_t item) {
    const ClassSuggestion& suggestion = output_.classes[item];
    const ItemContext& context = work_.classContext[item];
    if (!suggestion.accepted || suggestion.candidates.empty()) return;
    size_t target = suggestion.candidates.front().target;
    const RowNames& source = work_.sourceRows[suggestion.source];
    const RowNames& names = work_.targetRows[target];
    const std::string& said = source.name;
    if (Unwritable(source.name, "class", said) || Unwritable(source.parent, "parent", said) ||
        Unwritable(names.name, "target class", said) || Unwritable(names.parent, "target parent", said)) {
      return;
    }
    std::string domain = domains_.For(names.parent, source.parent, work_.targetDomain);
    std::string star = "*";
    std::string row = Row({&source.name, &source.parent, &star, &names.name, &names.parent, &star});
    row.insert(row.size() - 1, domain.empty() ? "" : Spelled(domain) + ",");
    bool open_row = context.row && context.row->text.find(",,") != std::string::npos;
    if (context.row && !open_row) {
      notes_.push_back(Where(context) + source.name + ": the table's row names another "
                            "target and a merge never replaces it; edit it to read: " +
                            std::string(WithoutLineEnd(row)));
      return;
    }
    effectiveTarget_[suggestion.source] = static_cast<long>(target);
    out_ << row;
  }

  // The first target class whose parent is `target`'s: the class the
  // lookup of an attribute row naming `target` finds.
  bool LookupFinds(size_t target) const {
    auto first = firstWithParent_.find(work_.input.target[target].parent_key);
    return first != firstWithParent_.end() && first->second == target;
  }

  void AttributeRow(size_t item) {
    const AttributeSuggestion& suggestion = output_.attributes[item];
    const ItemContext& context = work_.attributeContext[item];
    long target = effectiveTarget_[suggestion.item.source_class];
    if (!suggestion.accepted || suggestion.candidates.empty() || target < 0) return;
    const AttributeCandidate& best = suggestion.candidates.front();
    const RowNames& source = work_.sourceRows[suggestion.item.source_class];
    const std::string label =
        work_.input.source[suggestion.item.source_class].attributes[suggestion.item.source_attribute]
            .label.str();
    const std::string key =
        work_.input.target[best.target_class].attributes[best.target_attribute].key.str();
    size_t named = static_cast<size_t>(target);
    if (best.target_class != named) {
      if (!LookupFinds(best.target_class)) return;
      named = best.target_class;
    }
    const RowNames& names = work_.targetRows[named];
    const std::string said = source.name + ": " + label;
    if (Unwritable(source.name, "class", said) || Unwritable(source.parent, "parent", said) ||
        Unwritable(label, "attribute", said) || Unwritable(names.name, "target class", said) ||
        Unwritable(names.parent, "target parent", said) || Unwritable(key, "target attribute", said)) {
      return;
    }
    std::string row = Row({&source.name, &source.parent, &label, &names.name, &names.parent, &key});
    if (context.reason == "target_missing") {
      notes_.push_back(Where(context) + source.name + ": " + label + ": the table's row names "
                            "another target attribute and a merge never replaces it; edit it "
                            "to read: " + std::string(WithoutLineEnd(row)));
      return;
    }
    out_ << row;
  }

  const SuggestWork& work_;
  const SuggestOutput& output_;
  TableDomains domains_;
  std::string tablePath_;
  std::vector<long> effectiveTarget_;
  std::vector<size_t> attributesByClass_;
  std::unordered_map<std::string_view, size_t> firstWithParent_;
  std::ostream& out_;
  std::vector<std::string> notes_;
};

}  // namespace

TableDomainMaps ReadTableDomains(const std::string& text) {
  TableDomainMaps maps;
  std::deque<std::string> pool;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    ParsedLine line = ParseLine(std::string_view(text).substr(start, end - start), pool);
    std::string_view domain = WithoutLineEnd(line.Raw(7));
    if (line.Plain(3) == "*" && !domain.empty()) {
      maps.byTargetParent.try_emplace(std::string(line.Plain(5)), domain);
      maps.bySourceParent.try_emplace(std::string(line.Plain(2)), domain);
    }
    start = end;
  }
  return maps;
}

std::vector<std::string> WriteRowsOfAccepted(std::ostream& out, const SuggestWork& work,
                                             const SuggestOutput& output, const std::string& table_text,
                                             const std::string& table_path) {
  return RowWriter(work, output, table_text, table_path, out).Write();
}
