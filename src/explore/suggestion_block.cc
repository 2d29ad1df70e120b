#include "explore/suggestion_block.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

#include "explore/script_safe_json.h"
#include "suggestion_run/row_plan.h"

namespace {

constexpr size_t kWriteBatch = 1 << 16;

// A table row with no empty column: a merge never replaces it, so a
// decision that gives the item another row cannot be written.
bool RowIsComplete(const std::optional<TableRowRef>& row) {
  return row && row->text.find(",,") == std::string::npos;
}

// Whether `text` begins with `prefix` (not empty), and what follows it.
bool AfterPrefix(std::string_view text, std::string_view prefix, std::string_view& rest) {
  if (prefix.empty() || !text.starts_with(prefix)) return false;
  rest = text.substr(prefix.size());
  return true;
}

// How many first candidates are tied: their scores read the same and
// nothing told them apart, so none was accepted.
size_t TiedCount(const std::vector<RecordCandidate>& candidates) {
  return static_cast<size_t>(std::count_if(candidates.begin(), candidates.end(),
                                           [](const RecordCandidate& c) { return c.tied; }));
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
void AppendScore(std::string& out, double candidate_score) {
  double score = std::round(candidate_score * 1000) / 1000;
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

// Which item took a demoted candidate's target, where the record says: a
// table line (a row already maps the target), a source class key (a class
// item took it) or [class key, attribute label] (an attribute item did).
void AppendTaker(std::string& out, const RecordCandidate& candidate) {
  if (candidate.taken_by_row > 0) {
    out += ',' + std::to_string(candidate.taken_by_row);
  } else if (!candidate.taken_by_class.empty() && !candidate.taken_by_attribute.empty()) {
    out += ",[";
    AppendScriptSafeString(out, candidate.taken_by_class);
    out += ',';
    AppendScriptSafeString(out, candidate.taken_by_attribute);
    out += ']';
  } else if (!candidate.taken_by_class.empty()) {
    out += ',';
    AppendScriptSafeString(out, candidate.taken_by_class);
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

SuggestionBlock::Item& SuggestionBlock::ItemOf(const SuggestionRecord& record) {
  auto [at, added] = item_of_key_.try_emplace(record.class_key, items_.size());
  if (added) items_.push_back({record.class_key, record.class_label, record.class_parent, {}, {}});
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

// The item's row by its line alone where the page only names it: the
// finding shows its text. A complete row that is the item's own travels
// with its text, so that the page can tell whether a reviewer's decision
// gives the same row or contradicts it: [line, text after the known
// columns], or [line, text, 1] where it does not begin with them.
void SuggestionBlock::AppendRow(std::string& out, const std::optional<TableRowRef>& row,
                                const ItemNamed& named) const {
  if (!row) {
    out += "null";
    return;
  }
  // An attribute without a row of its own is given its class's row.
  const bool own_row = named.for_class || named.reason != "no_row";
  if (!own_row || !RowIsComplete(row)) {
    out += std::to_string(row->line);
    return;
  }
  std::string_view text = row->text, rest;
  const bool elided = AfterPrefix(text, KnownColumns(named), rest);
  out += '[';
  out += std::to_string(row->line);
  out += ',';
  AppendScriptSafeString(out, elided ? rest : text);
  out += elided ? "]" : ",1]";
}

// A mask of the words' codes; where a word carries a detail, [mask, word
// with its detail, ...], so that a candidate without one costs no more.
void SuggestionBlock::AppendEvidence(std::string& out, const std::vector<std::string>& evidence) {
  uint32_t mask = 0;
  std::string details;
  for (const std::string& text : evidence) {
    std::string_view bare = BareWord(text);
    size_t code = evidence_.Code(bare);
    if (code < 32) mask |= uint32_t{1} << code;
    if (bare.size() != text.size()) {
      details += ',';
      AppendScriptSafeString(details, text);
    }
  }
  if (details.empty()) {
    out += std::to_string(mask);
    return;
  }
  out += '[';
  out += std::to_string(mask);
  out += details;
  out += ']';
}

// What became of the row of an accepted item whose row is not written:
// [why, note], the why as its code and the note in suggest's words (as
// `suggest` prints it, the table's line first where one is involved), or
// [why] without a note. Nothing for a row written.
void SuggestionBlock::AppendFate(std::string& out, const SuggestionRecord& record) {
  if (record.row_written) return;
  out += ",[";
  out += std::to_string(fates_.Code(record.why));
  if (!record.note.empty()) {
    out += ',';
    AppendScriptSafeString(out, record.note);
  }
  out += ']';
}

// The trailing fields of an item, left out where they say nothing: the
// number of tied first candidates (only an item nothing was accepted for
// has them), the fate of the row of the one accepted (or null), then what
// rows of an attribute take (`facts`).
void SuggestionBlock::AppendTail(std::string& out, const SuggestionRecord& record,
                                 const std::string& facts) {
  std::string fate;
  size_t tied = 0;
  if (!record.accepted) {
    tied = TiedCount(record.candidates);
  } else {
    AppendFate(fate, record);
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
void SuggestionBlock::AppendClassCandidate(std::string& out, const RecordCandidate& candidate) {
  target_.Remember(candidate.key);
  out += '[';
  AppendScriptSafeString(out, candidate.key);
  out += ',';
  AppendScriptSafeString(out, candidate.label);
  out += ',';
  AppendScriptSafeString(out, candidate.parent);
  out += ',';
  AppendScore(out, candidate.score);
  out += ',';
  AppendEvidence(out, candidate.evidence);
  AppendTaker(out, candidate);
  out += ']';
}

// Attribute candidates are most of the block, so they travel compact: the
// class left empty where it is the previous candidate's, the attribute as
// its place among its class's carried attributes, or where it is not carried
// as its key with its label after the evidence:
// [class, place, score, evidence(, taker)] or
// [class, key, score, evidence, label(, taker)].
void SuggestionBlock::AppendAttributeCandidate(std::string& out, const RecordCandidate& candidate,
                                               std::string& previous_owner) {
  const std::string& owner = candidate.target_class;
  target_.Remember(owner);
  NoteKey(candidate.key);
  std::optional<uint32_t> place = target_.PlaceOf(owner, candidate.key, candidate.label);
  out += '[';
  AppendScriptSafeString(out, owner == previous_owner ? std::string_view() : owner);
  previous_owner = owner;
  out += ',';
  if (place) {
    out += std::to_string(*place);
  } else {
    AppendScriptSafeString(out, candidate.key);
  }
  out += ',';
  AppendScore(out, candidate.score);
  out += ',';
  AppendEvidence(out, candidate.evidence);
  if (!place) {
    out += ',';
    AppendScriptSafeString(out, candidate.label);
  }
  AppendTaker(out, candidate);
  out += ']';
}

// A class item: [reason, row, candidates, accepted candidate or -1(, tied,
// fate)]. An attribute item: [label, key, reason code, row, candidates,
// accepted candidate or -1(, tied, fate, facts)].
void SuggestionBlock::Add(const SuggestionRecord& record) {
  Item& item = ItemOf(record);
  // Written where the item keeps it: a class record in place of any before
  // it, an attribute record after the others.
  std::string& text = record.for_class ? item.class_item : item.attributes;
  if (record.for_class) text.clear();
  if (!text.empty()) text += ',';
  text += '[';
  if (record.for_class) {
    AppendScriptSafeString(text, record.reason);
  } else {
    AppendScriptSafeString(text, record.attribute_label);
    text += ',';
    AppendScriptSafeString(text, record.attribute_key);
    text += ',';
    text += std::to_string(reasons_.Code(record.reason));
  }
  const ItemNamed named{item, record.attribute_label, record.reason, record.for_class};
  text += ',';
  AppendRow(text, record.row, named);
  text += ",[";
  long accepted_at = -1;
  std::string previous_owner;
  for (size_t at = 0; at < record.candidates.size(); ++at) {
    const RecordCandidate& candidate = record.candidates[at];
    if (at > 0) text += ',';
    if (accepted_at < 0 && record.accepted && candidate.key == record.accepted_key &&
        candidate.target_class == record.accepted_class) {
      accepted_at = static_cast<long>(at);
    }
    if (record.for_class) {
      AppendClassCandidate(text, candidate);
    } else {
      AppendAttributeCandidate(text, candidate, previous_owner);
    }
  }
  text += "],";
  text += std::to_string(accepted_at);
  AppendTail(text, record,
             record.for_class ? std::string() : AttributeFacts(record.attribute_label));
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
  text += ",\"classFirst\":";
  AppendScriptSafeString(text, FateWords(RowFate::kClassNotPlaced));
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
