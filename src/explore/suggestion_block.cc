#include "explore/suggestion_block.h"

#include <charconv>
#include <cmath>
#include <sstream>

#include "explore/script_safe_json.h"

namespace {

constexpr size_t kWriteBatch = 1 << 16;

using Value = JsonTape::Value;

// A table row with no empty column: a merge never replaces it, so a
// decision that gives the item another row cannot be written.
bool RowIsComplete(Value row) {
  return row.IsObject() && row["text"].Text().find(",,") == std::string_view::npos;
}

void AppendInteger(std::string& out, Value number) {
  std::optional<int64_t> integer = number.Integer();
  out += integer ? std::to_string(*integer) : "0";
}

// Whether `text` begins with `prefix` (not empty), and what follows it.
bool AfterPrefix(std::string_view text, std::string_view prefix, std::string_view& rest) {
  if (prefix.empty() || !text.starts_with(prefix)) return false;
  rest = text.substr(prefix.size());
  return true;
}

// How many first candidates are tied: their scores read the same and
// nothing told them apart, so none was accepted.
size_t TiedCount(Value candidates) {
  size_t tied = 0;
  candidates.ForEachElement([&](Value candidate) {
    if (candidate["tied"].kind() == JsonTape::Kind::kTrue) ++tied;
  });
  return tied;
}

// Evidence words that name what they relate ("lexicon: renal ~ kidney") are
// the bare word with a detail.
std::string_view BareWord(std::string_view word) {
  size_t colon = word.find(": ");
  return colon == std::string_view::npos ? word : word.substr(0, colon);
}

// Three decimals: the page shows two, and a score written with all the
// digits of a double would cost more than the candidate's names. Written as
// JSON writes a floating-point number: "0.0", never "0".
void AppendScore(std::string& out, Value candidate) {
  double score = std::round(candidate["score"].Number() * 1000) / 1000;
  if (!std::isfinite(score)) {
    out += "null";
    return;
  }
  char text[32];
  auto [end, failed] = std::to_chars(text, text + sizeof text, score);
  std::string_view written(text, static_cast<size_t>(end - text));
  out += written;
  if (written.find_first_of(".e") == std::string_view::npos) out += ".0";
}

void AppendString(std::string& out, Value object, std::string_view name) {
  AppendScriptSafeString(out, object[name].Text());
}

// Which item took a demoted candidate's target, where the record says: a
// table line (a row already maps the target), a source class key (a class
// item took it) or [class key, attribute label] (an attribute item did).
void AppendTaker(std::string& out, Value candidate) {
  Value taken = candidate["taken_by"];
  Value line = taken["row"], owner = taken["class"], attribute = taken["attribute"];
  if (line.Integer()) {
    out += ',';
    AppendInteger(out, line);
  } else if (owner.IsString() && attribute.IsString()) {
    out += ",[";
    AppendScriptSafeString(out, owner.Text());
    out += ',';
    AppendScriptSafeString(out, attribute.Text());
    out += ']';
  } else if (owner.IsString()) {
    out += ',';
    AppendScriptSafeString(out, owner.Text());
  }
}

}  // namespace

void SuggestionBlock::SetTarget(std::shared_ptr<const NameStore> names,
                                std::vector<SuggestClass> target,
                                std::vector<SuggestTargetRow> rows) {
  target_.Set(std::move(names), std::move(target), std::move(rows));
}

void SuggestionBlock::SetSourceRow(const std::string& key, SuggestSourceRow row) {
  source_rows_[key] = std::move(row);
}

SuggestionBlock::Item& SuggestionBlock::ItemOf(Value source) {
  std::string key(source["key"].Text());
  auto [at, added] = item_of_key_.try_emplace(key, items_.size());
  if (added) {
    items_.push_back({std::move(key),
                      std::string(source["label"].Text()),
                      std::string(source["parent"].Text()),
                      {},
                      {}});
  }
  return items_[at->second];
}

// The columns of an item's row that the page knows already, as a row of
// the table spells them: the class's row name and parent, then "*" for a
// class row or the attribute's label. Empty where a name holds "&", which
// the table may spell either way.
std::string SuggestionBlock::KnownColumns(const ItemNamed& named) const {
  const Item& item = named.item;
  const std::string_view third = named.for_class ? "*" : named.label;
  auto row = source_rows_.find(item.key);
  const std::string& name = row == source_rows_.end() ? item.label : row->second.name;
  const std::string& parent = row == source_rows_.end() ? item.parent : row->second.parent;
  std::string known = name + ',' + parent + ',' + std::string(third) + ',';
  return known.find('&') == std::string::npos ? known : std::string();
}

// How suggest's notes name an item: its class's row name, then for an
// attribute its label.
std::string SuggestionBlock::NotesName(const ItemNamed& named) const {
  auto row = source_rows_.find(named.item.key);
  std::string name = row == source_rows_.end() ? named.item.label : row->second.name;
  return named.for_class ? name : name + ": " + std::string(named.label);
}

// The item's row by its line alone where the page only names it: the
// finding shows its text. A complete row that is the item's own travels
// with its text, so that the page can tell whether a reviewer's decision
// gives the same row or contradicts it: [line, text after the known
// columns], or [line, text, 1] where it does not begin with them.
void SuggestionBlock::AppendRow(std::string& out, Value row, const ItemNamed& named) const {
  if (!row.IsObject()) {
    out += "null";
    return;
  }
  // An attribute without a row of its own is given its class's row.
  const bool own_row = named.for_class || named.reason != "no_row";
  if (!own_row || !RowIsComplete(row)) {
    AppendInteger(out, row["line"]);
    return;
  }
  std::string_view text = row["text"].Text(), rest;
  const bool elided = AfterPrefix(text, KnownColumns(named), rest);
  out += '[';
  AppendInteger(out, row["line"]);
  out += ',';
  AppendScriptSafeString(out, elided ? rest : text);
  out += elided ? "]" : ",1]";
}

// A mask of the words' codes; where a word carries a detail, [mask, word
// with its detail, ...], so that a candidate without one costs no more.
void SuggestionBlock::AppendEvidence(std::string& out, Value evidence) {
  uint32_t mask = 0;
  std::string details;
  evidence.ForEachElement([&](Value word) {
    std::string_view text = word.Text();
    std::string_view bare = BareWord(text);
    size_t code = evidence_.Code(bare);
    if (code < 32) mask |= uint32_t{1} << code;
    if (bare.size() != text.size()) {
      details += ',';
      AppendScriptSafeString(details, text);
    }
  });
  if (details.empty()) {
    out += std::to_string(mask);
    return;
  }
  out += '[';
  out += std::to_string(mask);
  out += details;
  out += ']';
}

// What became of the row of an accepted item whose row is not written,
// the why as its code: [why, note]; or, where the note begins as suggest's
// notes do, with the table line and the item's name ("TABLE:LINE: Pump:
// Speed: ..."), [why, the rest, line or 0], as the page knows both names;
// [why] without a note. Nothing for a row written or an item nothing was
// accepted for.
void SuggestionBlock::AppendFate(std::string& out, Value record, const ItemNamed& named) {
  if (record["row_written"].kind() != JsonTape::Kind::kFalse) return;
  out += ",[";
  out += std::to_string(fates_.Code(record["why"].Text()));
  if (record["note"].IsString()) {
    std::string_view note = record["note"].Text(), rest;
    long line = NoteLine(note);
    out += ',';
    if (AfterPrefix(note, NotesName(named) + ": ", rest)) {
      AppendScriptSafeString(out, rest);
      out += ',' + std::to_string(line);
    } else {
      AppendScriptSafeString(out, record["note"].Text());
    }
  }
  out += ']';
}

// The table line a note begins with ("TABLE:LINE: "), which is then taken
// off it; 0 where it begins otherwise.
long SuggestionBlock::NoteLine(std::string_view& note) const {
  std::string_view rest;
  if (!AfterPrefix(note, table_path_.empty() ? "" : table_path_ + ":", rest)) return 0;
  long line = 0;
  auto [end, failed] = std::from_chars(rest.data(), rest.data() + rest.size(), line);
  std::string_view after(end, static_cast<size_t>(rest.data() + rest.size() - end));
  if (failed != std::errc() || line <= 0 || !after.starts_with(": ")) return 0;
  note = after.substr(2);
  return line;
}

// The trailing fields of an item, left out where they say nothing: the
// number of tied first candidates (only an item nothing was accepted for
// has them), the fate of the row of the one accepted (or null), then what
// rows of an attribute take (`facts`).
void SuggestionBlock::AppendTail(std::string& out, Value record, const ItemNamed& named,
                                 const std::string& facts) {
  std::string fate;
  size_t tied = 0;
  if (record["accepted"].kind() == JsonTape::Kind::kNull) {
    tied = TiedCount(record["candidates"]);
  } else {
    AppendFate(fate, record, named);
  }
  if (tied == 0 && fate.empty() && facts.empty()) return;
  out += ',';
  out += std::to_string(tied);
  if (facts.empty()) {
    out += fate;
    return;
  }
  out += fate.empty() ? ",null" : fate;
  out += ',';
  out += facts;
}

// A key that a row spells otherwise, or that no row can hold, is listed
// once for the page.
void SuggestionBlock::NoteKey(std::string_view key) {
  if (std::string spelled = SpelledKey(key); !spelled.empty())
    spelled_keys_.try_emplace(std::string(key), std::move(spelled));
  if (std::string note = KeyNote(key); !note.empty())
    key_notes_.try_emplace(std::string(key), std::move(note));
}

// [key, label, parent, score, evidence(, taker)]
void SuggestionBlock::AppendClassCandidate(std::string& out, Value candidate) {
  std::string_view key = candidate["key"].Text();
  target_.Remember(key);
  out += '[';
  AppendScriptSafeString(out, key);
  out += ',';
  AppendString(out, candidate, "label");
  out += ',';
  AppendString(out, candidate, "parent");
  out += ',';
  AppendScore(out, candidate);
  out += ',';
  AppendEvidence(out, candidate["evidence"]);
  AppendTaker(out, candidate);
  out += ']';
}

// Attribute candidates are most of the block, so they travel compact: the
// class left empty where it is the previous candidate's, the attribute as
// its place among its class's carried attributes, or where it is not carried
// as its key with its label after the evidence:
// [class, place, score, evidence(, taker)] or
// [class, key, score, evidence, label(, taker)].
void SuggestionBlock::AppendAttributeCandidate(std::string& out, Value candidate,
                                               std::string& previous_owner) {
  std::string_view owner = candidate["class"].Text();
  std::string_view key = candidate["key"].Text();
  std::string_view label = candidate["label"].Text();
  target_.Remember(owner);
  NoteKey(key);
  std::optional<uint32_t> place = target_.PlaceOf(owner, key, label);
  out += '[';
  AppendScriptSafeString(out, owner == previous_owner ? std::string_view() : owner);
  previous_owner = owner;
  out += ',';
  if (place) {
    out += std::to_string(*place);
  } else {
    AppendScriptSafeString(out, key);
  }
  out += ',';
  AppendScore(out, candidate);
  out += ',';
  AppendEvidence(out, candidate["evidence"]);
  if (!place) {
    out += ',';
    AppendScriptSafeString(out, label);
  }
  AppendTaker(out, candidate);
  out += ']';
}

// A class item: [reason, row, candidates, accepted candidate or -1(, tied,
// fate)]. An attribute item: [label, key, reason code, row, candidates,
// accepted candidate or -1(, tied, fate)].
void SuggestionBlock::AddLine(std::string_view line) {
  if (tape_.Read(line)) AddRecord(tape_.Root());
}

void SuggestionBlock::Add(const nlohmann::json& record) {
  AddLine(record.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

void SuggestionBlock::AddRecord(Value record) {
  if (record["record"].Text() != "suggestion") return;
  std::string_view kind = record["for"].Text();
  bool for_class = kind == "class";
  if (!for_class && kind != "attribute") return;
  Item& item = ItemOf(record["class"]);
  Value accepted = record["accepted"];
  std::string_view reason = record["reason"].Text();
  // Written where the item keeps it: a class record in place of any before
  // it, an attribute record after the others.
  std::string& text = for_class ? item.class_item : item.attributes;
  if (for_class) text.clear();
  if (!text.empty()) text += ',';
  text += '[';
  if (for_class) {
    AppendScriptSafeString(text, reason);
  } else {
    Value attribute = record["attribute"];
    AppendString(text, attribute, "label");
    text += ',';
    AppendString(text, attribute, "key");
    text += ',';
    text += std::to_string(reasons_.Code(reason));
  }
  const ItemNamed named{item, record["attribute"]["label"].Text(), reason, for_class};
  text += ',';
  AppendRow(text, record["row"], named);
  text += ",[";
  long accepted_at = -1, at = 0;
  std::string previous_owner;
  record["candidates"].ForEachElement([&](Value candidate) {
    if (at > 0) text += ',';
    if (for_class) {
      if (accepted_at < 0 && accepted.IsString() && accepted.Text() == candidate["key"].Text()) {
        accepted_at = at;
      }
      AppendClassCandidate(text, candidate);
    } else {
      if (accepted_at < 0 && accepted.IsObject() &&
          accepted["class"].Text() == candidate["class"].Text() &&
          accepted["key"].Text() == candidate["key"].Text()) {
        accepted_at = at;
      }
      AppendAttributeCandidate(text, candidate, previous_owner);
    }
    ++at;
  });
  text += "],";
  text += std::to_string(accepted_at);
  AppendTail(text, record, named, for_class ? std::string() : AttributeFacts(named.label));
  text += ']';
}

// Each item, then the names its class row gives it, the target the table
// maps it to and what rows of it take: [key, label, parent, class item or
// null, [attribute items], row name, row parent, mapped target(,
// SourceClassFacts)].
void SuggestionBlock::WriteItems(std::ostream& stream) const {
  std::string out = "[";
  for (size_t i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    if (out.size() >= kWriteBatch) {
      stream << out;
      out.clear();
    }
    if (i > 0) out += ',';
    out += '[';
    for (const std::string* text : {&item.key, &item.label, &item.parent}) {
      AppendScriptSafeString(out, *text);
      out += ',';
    }
    out += item.class_item.empty() ? "null" : item.class_item;
    out += ",[";
    out += item.attributes;
    out += "],";
    auto row = source_rows_.find(item.key);
    const bool named = row != source_rows_.end();
    const std::string& name = named ? row->second.name : item.label;
    const std::string& parent = named ? row->second.parent : item.parent;
    AppendScriptSafeString(out, name);
    out += ',';
    AppendScriptSafeString(out, parent);
    out += ',';
    AppendScriptSafeString(out, named ? std::string_view(row->second.mapped_target) : "");
    const std::string facts =
        SourceClassFacts({name, parent, !item.class_item.empty()}, domains_, domains_.fallback);
    if (!facts.empty()) out += ',' + facts;
    out += ']';
  }
  out += ']';
  stream << out;
}

// The target attribute keys that a row spells otherwise ("rowKeys") or
// that no row can hold ("keyNotes"): the candidates' and the carried ones.
void SuggestionBlock::AppendKeyFacts(std::string& out) const {
  auto spelled = spelled_keys_;
  auto notes = key_notes_;
  target_.ForEachCarriedKey([&](std::string_view key) {
    if (std::string text = SpelledKey(key); !text.empty())
      spelled.try_emplace(std::string(key), text);
    if (std::string note = KeyNote(key); !note.empty()) notes.try_emplace(std::string(key), note);
  });
  for (const auto& [name, map] : {std::pair("keyNotes", &notes), std::pair("rowKeys", &spelled)}) {
    out += ",\"";
    out += name;
    out += "\":{";
    bool first = true;
    for (const auto& [key, value] : *map) {
      if (!first) out += ',';
      first = false;
      AppendScriptSafeString(out, key);
      out += ':';
      AppendScriptSafeString(out, value);
    }
    out += '}';
  }
}

void SuggestionBlock::Write(std::ostream& out) const {
  std::string text = "{\"attributes\":";
  target_.AppendCarriedAttributes(text);
  text += ",\"evidence\":" + ScriptSafeJson(evidence_.Names());
  text += ",\"fates\":" + ScriptSafeJson(fates_.Names());
  text += ",\"items\":";
  out << text;
  WriteItems(out);
  text.clear();
  AppendKeyFacts(text);
  text += ",\"reasons\":" + ScriptSafeJson(reasons_.Names());
  text += ",\"targets\":";
  target_.AppendClasses(text, domains_);
  text += ",\"mapped\":" + mapped_ + ",\"carried\":" + carried_ + '}';
  out << text;
}

std::string SuggestionBlock::Json() const {
  std::ostringstream out;
  Write(out);
  return out.str();
}
