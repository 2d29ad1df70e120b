#include "review/review_answers.h"

#include <cstdio>

#include "output/finding_names.h"
#include "output/suggest_report.h"

namespace {

using Json = nlohmann::json;

std::string Score(double score) {
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", score);
  return text;
}

// "Label (KEY)", or the key alone where the label says no more.
std::string Named(std::string_view label, std::string_view key) {
  if (label.empty() || label == key) return std::string(key);
  return std::string(label) + " (" + std::string(key) + ")";
}

std::string SourceClassNamed(const ReviewRun& run, size_t source) {
  const SuggestClass& c = run.Work().input.source[source];
  return Named(c.label.view(), c.key.view());
}

const SuggestAttribute& SourceAttribute(const ReviewRun& run, size_t attribute_item) {
  const AttributeItem& item = run.Work().input.attribute_items[attribute_item];
  return run.Work().input.source[item.source_class].attributes[item.source_attribute];
}

// Whether the taker holds the target now: decided to it, or left open
// with the tool's accepted first candidate on it. A taker that merely
// ranks it first has not taken it.
bool TakerHolds(const ReviewRun& run, const ItemRef& taker, size_t target_class,
                size_t target_attribute) {
  const Decision& decision = run.DecisionOf(taker);
  if (decision.decided()) {
    return !decision.no_mapping && decision.target_class == target_class &&
           (taker.is_class || decision.target_attribute == target_attribute);
  }
  if (taker.is_class) {
    const ClassSuggestion& view = run.Output().classes[taker.item];
    return view.accepted && !view.candidates.empty() && view.candidates[0].target == target_class;
  }
  const AttributeSuggestion& view = run.Output().attributes[taker.item];
  return view.accepted && !view.candidates.empty() &&
         view.candidates[0].target_class == target_class &&
         view.candidates[0].target_attribute == target_attribute;
}

// What a demoted candidate's target went to, in words; null where nothing
// took it.
Json Demotion(const ReviewRun& run, const ItemRef& taker_kind, int32_t taken_by, uint32_t evidence,
              size_t target_class, size_t target_attribute) {
  if ((evidence & kSignalAssignment) == 0) return nullptr;
  if ((evidence & kMarkTakenByRow) != 0 || taken_by == kTakenByRow) {
    for (const ClassAnchor& anchor : run.Work().input.class_anchors) {
      if (anchor.target == target_class && run.Work().class_row_line[anchor.source] > 0) {
        return "line " + std::to_string(run.Work().class_row_line[anchor.source]) +
               " of the mapping table maps this target already";
      }
    }
    return "a row of the mapping table maps this target already";
  }
  if (taken_by < 0) return "taken by another item";
  const ItemRef taker{taker_kind.is_class, static_cast<size_t>(taken_by)};
  const size_t source = run.SourceOf(taker);
  const std::string who = taker.is_class
                              ? "the class " + SourceClassNamed(run, source)
                              : "the attribute " + SourceAttribute(run, taker.item).label.str() +
                                    " of " + SourceClassNamed(run, source);
  if (TakerHolds(run, taker, target_class, target_attribute)) return "taken by " + who;
  return "also the best candidate of " + who + ", which has not taken it";
}

std::string EvidenceText(const std::vector<std::string>& words) {
  std::string said;
  for (const std::string& word : words) {
    if (word == "taken by another item" || word == "decision") continue;
    said += (said.empty() ? "" : ", ") + word;
  }
  return said.empty() ? "no signal agreed" : "agreed: " + said;
}

// The attributes a target class offers: its own and its ancestors', as
// "Label (KEY)", those of an ancestor with where they come from.
Json OfferedAttributes(const ReviewRun& run, const TypedTargets& targets, size_t target) {
  Json list = Json::array();
  for (const AttributeAt& a : targets.AttributesOf(target)) {
    const SuggestClass& holder = run.Work().input.target[a.holder];
    const SuggestAttribute& named = holder.attributes[a.attribute];
    std::string text = Named(named.label.view(), named.key.view());
    if (a.holder != target) text += ", from " + holder.key.str();
    list.push_back(text);
  }
  return list;
}

std::string TableRowText(const TableRowRef* row) {
  if (row == nullptr) return "";
  return "line " + std::to_string(row->line) + ": " + row->text;
}

// What Apply makes of the item's row, in words.
Json Outcome(const ReviewRun& run, const ItemRef& ref) {
  const RowPlan& rows = run.Rows();
  const ItemRow& row = ref.is_class ? rows.classes[ref.item] : rows.attributes[ref.item];
  Json outcome = {{"fate", FateCode(row.fate)}};
  switch (row.fate) {
    case RowFate::kWritten:
      outcome["text"] = "Apply writes " + run.WrittenRow(ref);
      break;
    case RowFate::kNotAccepted:
      outcome["text"] = "No row: nothing is decided, and the tool accepted no candidate.";
      break;
    case RowFate::kInTable:
      outcome["text"] = "The table holds this very row already.";
      break;
    case RowFate::kClassNotPlaced:
      outcome["text"] = "No row yet: its class has no target a row names. Decide the class first.";
      break;
    default: {
      std::string text = "No row: " + std::string(FateWords(row.fate));
      if (row.note != ItemRow::kNone) text = "No row: " + rows.NoteText(row.note);
      outcome["text"] = text;
      if (row.fate == RowFate::kTableRowDiffers && rows.Row(row) != nullptr)
        outcome["retarget"] = "Apply can replace the table's row with it, once you confirm it.";
    }
  }
  return outcome;
}

template <typename Candidate>
Json TiedNote(const std::vector<Candidate>& candidates, bool accepted) {
  std::vector<double> scores;
  for (const Candidate& c : candidates) scores.push_back(c.score);
  const size_t tied = TiedScores(scores, accepted);
  if (tied < 2) return nullptr;
  return "Nothing accepted: the first " + (tied == 2 ? std::string("two") : std::to_string(tied)) +
         " candidates are tied. Their scores read the same and nothing the tool knows tells them "
         "apart: choose one, or type the target.";
}

Json DecisionJson(const Decision& decision, const std::string& target_words) {
  if (!decision.decided()) return {{"state", "open"}, {"text", "open"}};
  if (decision.no_mapping) return {{"state", "no_mapping"}, {"text", "No Mapping"}};
  return {{"state", "decided"}, {"text", "mapped to " + target_words}};
}

Json ClassItemJson(const ReviewRun& run, const TypedTargets& targets, size_t item) {
  const ItemRef ref{true, item};
  const ClassSuggestion& view = run.Output().classes[item];
  const ClassSuggestion& tool = run.ToolOutput().classes[item];
  const ItemContext& context = run.Work().class_context[item];
  const SuggestClass& source = run.Work().input.source[view.source];
  const Decision& decision = run.DecisionOf(ref);
  Json candidates = Json::array();
  for (size_t k = 0; k < view.candidates.size(); ++k) {
    const ClassCandidate& c = view.candidates[k];
    const SuggestClass& target = run.Work().input.target[c.target];
    const bool typed = (c.evidence & kMarkDecided) != 0 && c.score == 0 &&
                       (c.evidence & ~uint32_t{kMarkDecided}) == 0;
    Json marks = Json::array();
    if (tool.accepted && !tool.candidates.empty() && tool.candidates[0].target == c.target)
      marks.push_back("accepted by the tool");
    if (decision.decided() && !decision.no_mapping && decision.target_class == c.target)
      marks.push_back("chosen");
    candidates.push_back(
        {{"target", {{"key", target.key.str()}}},
         {"name", Named(target.label.view(), target.key.view())},
         {"parent", target.parent_key.str()},
         {"score", typed ? Json(nullptr) : Json(Score(c.score))},
         {"marks", marks},
         {"evidence", typed ? std::string("typed, not a candidate")
                            : EvidenceText(EvidenceWordsOf(
                                  c.evidence, run.Output(), source.label.view(), source.key.view(),
                                  target.label.view(), target.key.view()))},
         {"demoted", Demotion(run, ref, c.taken_by, c.evidence, c.target, 0)},
         {"attributes", OfferedAttributes(run, targets, c.target)}});
  }
  std::string target_words;
  if (decision.decided() && !decision.no_mapping) {
    const SuggestClass& target = run.Work().input.target[decision.target_class];
    target_words = Named(target.label.view(), target.key.view());
  }
  return {{"kind", "class"},
          {"title", "Class: " + ReasonText(context.reason)},
          {"nameable", run.Nameable(ref)},
          {"row", context.row ? Json(TableRowText(context.row)) : Json(nullptr)},
          {"tied", TiedNote(view.candidates, view.accepted)},
          {"candidates", candidates},
          {"accepted", view.accepted && !view.candidates.empty() ? 0 : -1},
          {"decision", DecisionJson(decision, target_words)},
          {"outcome", Outcome(run, ref)}};
}

Json AttributeItemJson(const ReviewRun& run, size_t item) {
  const ItemRef ref{false, item};
  const AttributeSuggestion& view = run.Output().attributes[item];
  const AttributeSuggestion& tool = run.ToolOutput().attributes[item];
  const ItemContext& context = run.Work().attribute_context[item];
  const SuggestAttribute& attribute = SourceAttribute(run, item);
  const Decision& decision = run.DecisionOf(ref);
  Json candidates = Json::array();
  for (const AttributeCandidate& c : view.candidates) {
    const SuggestClass& holder = run.Work().input.target[c.target_class];
    const SuggestAttribute& target = holder.attributes[c.target_attribute];
    const bool typed = (c.evidence & kMarkDecided) != 0 && c.score == 0 &&
                       (c.evidence & ~uint32_t{kMarkDecided}) == 0;
    Json marks = Json::array();
    if (tool.accepted && !tool.candidates.empty() &&
        tool.candidates[0].target_class == c.target_class &&
        tool.candidates[0].target_attribute == c.target_attribute) {
      marks.push_back("accepted by the tool");
    }
    if (decision.decided() && !decision.no_mapping && decision.target_class == c.target_class &&
        decision.target_attribute == c.target_attribute) {
      marks.push_back("chosen");
    }
    candidates.push_back(
        {{"target", {{"class", holder.key.str()}, {"key", target.key.str()}}},
         {"name", Named(target.label.view(), target.key.view()) + " in " + holder.key.str()},
         {"score", typed ? Json(nullptr) : Json(Score(c.score))},
         {"marks", marks},
         {"evidence", typed ? std::string("typed, not a candidate")
                            : EvidenceText(EvidenceWordsOf(
                                  c.evidence, run.Output(), attribute.label.view(),
                                  attribute.key.view(), target.label.view(), target.key.view()))},
         {"demoted",
          Demotion(run, ref, c.taken_by, c.evidence, c.target_class, c.target_attribute)}});
  }
  std::string target_words;
  if (decision.decided() && !decision.no_mapping) {
    const SuggestClass& holder = run.Work().input.target[decision.target_class];
    target_words =
        holder.attributes[decision.target_attribute].key.str() + " in " + holder.key.str();
  }
  const long home = run.PlacedTarget(run.SourceOf(ref));
  const TableRowRef* row = context.row ? context.row : run.Rows().attribute_table_rows[item];
  return {{"kind", "attribute"},
          {"attribute", {{"key", attribute.key.str()}, {"label", attribute.label.str()}}},
          {"title", "Attribute " + Named(attribute.label.view(), attribute.key.view()) + ": " +
                        ReasonText(context.reason)},
          {"nameable", run.Nameable(ref)},
          {"row", row ? Json(TableRowText(row)) : Json(nullptr)},
          {"tied", TiedNote(view.candidates, view.accepted)},
          {"candidates", candidates},
          {"accepted", view.accepted && !view.candidates.empty() ? 0 : -1},
          {"decision", DecisionJson(decision, target_words)},
          {"home", home >= 0 ? Json(run.Work().input.target[static_cast<size_t>(home)].key.str())
                             : Json(nullptr)},
          {"outcome", Outcome(run, ref)}};
}

// How many of a class's items there are, are open, and are open with a
// candidate the tool accepted.
struct ClassProgress {
  size_t items = 0, open = 0, tool_open = 0;
};

ClassProgress ProgressOf(const ReviewRun& run, size_t source) {
  ClassProgress progress;
  auto count = [&](const ItemRef& ref, bool tool_accepted) {
    ++progress.items;
    if (run.DecisionOf(ref).decided()) return;
    ++progress.open;
    if (tool_accepted) ++progress.tool_open;
  };
  const long item = run.Effects().ClassItemOf(source);
  if (item >= 0) {
    const auto i = static_cast<size_t>(item);
    count({true, i}, run.Output().classes[i].accepted);
  }
  for (size_t a : run.Effects().AttributeItemsOf(source))
    count({false, a}, run.Output().attributes[a].accepted);
  return progress;
}

}  // namespace

std::vector<size_t> ClassesToReview(const ReviewRun& run) {
  std::vector<size_t> sources;
  for (size_t s = 0; s < run.Work().input.source.size(); ++s) {
    if (run.Effects().ClassItemOf(s) >= 0 || !run.Effects().AttributeItemsOf(s).empty())
      sources.push_back(s);
  }
  return sources;
}

Json ClassLinesJson(const ReviewRun& run, const std::vector<size_t>& sources) {
  Json lines = Json::array();
  for (size_t s : sources) {
    const SuggestClass& c = run.Work().input.source[s];
    const ClassProgress progress = ProgressOf(run, s);
    lines.push_back({c.key.str(), c.label.str(), run.Work().source_rows[s].parent, progress.items,
                     progress.open, progress.tool_open});
  }
  return lines;
}

Json ClassReviewJson(const ReviewRun& run, const TypedTargets& targets, size_t source) {
  const SuggestClass& c = run.Work().input.source[source];
  Json attributes = Json::array();
  for (const SuggestAttribute& a : c.attributes) attributes.push_back({a.key.str(), a.label.str()});
  Json items = Json::array();
  const long item = run.Effects().ClassItemOf(source);
  if (item >= 0) items.push_back(ClassItemJson(run, targets, static_cast<size_t>(item)));
  for (size_t a : run.Effects().AttributeItemsOf(source))
    items.push_back(AttributeItemJson(run, a));
  const long placed = run.PlacedTarget(source);
  Json home = nullptr;
  if (placed >= 0) {
    const SuggestClass& target = run.Work().input.target[static_cast<size_t>(placed)];
    home = Named(target.label.view(), target.key.view());
  }
  return {{"key", c.key.str()},
          {"label", c.label.str()},
          {"parent", run.Work().source_rows[source].parent},
          {"line", ClassLinesJson(run, {source})[0]},
          {"placed", home},
          {"attributes", attributes},
          {"items", items}};
}

Json CountsJson(const FindingCounts& counts) {
  Json json = {{"classes", counts.classes}, {"not_in_table", counts.not_in_table}};
  std::string words = std::to_string(counts.classes) + " classes: ";
  bool first = true;
  for (Verdict verdict : kListOrder) {
    if (verdict == Verdict::kGrey) continue;  // attributes only: classes are counted
    const size_t count = counts.by_verdict[static_cast<size_t>(verdict)];
    json[VerdictName(verdict)] = count;
    words += (first ? "" : ", ") + std::to_string(count) + " " + VerdictName(verdict);
    first = false;
  }
  words += " class findings; " + std::to_string(counts.not_in_table) +
           (counts.not_in_table == 1 ? " class" : " classes") + " not in the mapping table";
  json["text"] = words;
  return json;
}

Json ProgressJson(const ReviewRun& run) {
  size_t items = 0, decided = 0;
  for (size_t i = 0; i < run.Effects().ClassItems(); ++i) {
    ++items;
    decided += run.Effects().OfClass(i).decided();
  }
  for (size_t a = 0; a < run.Effects().AttributeItems(); ++a) {
    ++items;
    decided += run.Effects().OfAttribute(a).decided();
  }
  return {{"items", items}, {"decided", decided}, {"open", items - decided}};
}

Json CarriedJson(const ReviewRun& run, const std::string& file) {
  const DecidedItems& judged = run.Judged();
  Json left = Json::array();
  for (const JudgedEntry& entry : judged.judged) {
    if (entry.fate != DecisionFate::kCarried) left.push_back(UncarriedEntryText(entry));
  }
  return {{"text", judged.judged.empty() ? Json(nullptr) : Json(CarriedSummary(judged, file))},
          {"left", left}};
}
