#include "explore/row_facts.h"

#include <vector>

#include "explore/script_safe_json.h"
#include "suggestion_run/row_plan.h"

namespace {

// A JSON object of the fields given, or empty for none.
class Facts {
 public:
  void Add(std::string_view name, std::string_view value) {
    text_ += text_.empty() ? "{\"" : ",\"";
    text_ += name;
    text_ += "\":";
    AppendScriptSafeString(text_, value);
  }
  void AddIf(std::string_view name, const std::string& value) {
    if (!value.empty()) Add(name, value);
  }
  std::string Done() { return text_.empty() ? text_ : text_ + "}"; }

 private:
  std::string text_;
};

// Why no row can hold the first of `values` that none can, or empty.
std::string FirstUnwritableNote(const std::vector<std::string_view>& values) {
  const size_t at = FirstUnwritable(values);
  return at == kAllWritable ? std::string() : UnwritableNote(values[at]);
}

// `spelled` where it differs from the values joined as they are.
std::string IfSpelledOtherwise(const std::string& spelled, std::string_view a, std::string_view b) {
  std::string plain = std::string(a) + ',' + std::string(b) + ',';
  return spelled == plain ? std::string() : spelled;
}

}  // namespace

std::string UnwritableNote(std::string_view value) {
  if (value.empty()) {
    return "an empty name or parent, which no table row can hold: give it one in its dictionary";
  }
  std::string note = "'";
  note += value;
  note += "' holds a comma or a line end, which no table row can hold: rename it in its dictionary";
  return note;
}

std::string SourceClassFacts(const SourceClassRow& row, const RowDomains& domains,
                             std::string_view fallback_domain) {
  Facts facts;
  facts.AddIf("h", IfSpelledOtherwise(RowText({row.name, row.parent}), row.name, row.parent));
  const std::string note = FirstUnwritableNote({row.name, row.parent});
  facts.AddIf("n", note);
  if (row.has_class_item) {
    facts.Add("d", DomainColumn(SourceParentDomain(domains, fallback_domain, row.parent)));
    if (note.empty()) {
      facts.Add("m", NoMappingClassRow(row.name, row.parent, domains, fallback_domain));
    }
  }
  return facts.Done();
}

std::string AttributeFacts(std::string_view label) {
  Facts facts;
  const std::string spelled = SpelledValue(label);
  if (spelled != label) facts.Add("l", spelled);
  facts.AddIf("n", FirstUnwritableNote({label}));
  return facts.Done();
}

std::string TargetClassFacts(const TargetClassRow& row, const RowDomains& domains) {
  Facts facts;
  facts.AddIf("t", IfSpelledOtherwise(RowText({row.name, row.parent}), row.key, row.parent_key));
  if (std::optional<std::string_view> domain = TargetParentDomain(domains, row.parent)) {
    facts.Add("d", DomainColumn(*domain));
  }
  facts.AddIf("n", FirstUnwritableNote({row.name, row.parent}));
  if (row.key_shared) {
    facts.Add("w", "the target has two classes of key " + std::string(row.key) +
                       " and no row can tell them apart: give one of them another key in the "
                       "target");
  }
  if (row.looked_up != row.key) {
    facts.Add("r", OutOfReachNote(row.key, kNoteBlank, row.looked_up, row.parent_key, kNoteBlank));
  }
  return facts.Done();
}

std::string SpelledKey(std::string_view key) {
  std::string spelled = SpelledValue(key);
  return spelled == key ? std::string() : spelled;
}

std::string KeyNote(std::string_view key) { return FirstUnwritableNote({key}); }
