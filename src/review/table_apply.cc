#include "review/table_apply.h"

#include <map>

#include "merge/text_lines.h"

namespace {

// The review's suggestions with every item left open unaccepted: Apply
// writes what the reviewer decided, nothing the tool accepted alone.
SuggestOutput DecidedOnly(const ReviewRun& run) {
  SuggestOutput decided = run.Output();
  for (size_t i = 0; i < decided.classes.size(); ++i) {
    if (!run.DecisionOf({true, i}).decided()) decided.classes[i].accepted = false;
  }
  for (size_t a = 0; a < decided.attributes.size(); ++a) {
    if (!run.DecisionOf({false, a}).decided()) decided.attributes[a].accepted = false;
  }
  return decided;
}

std::string ItemWords(const ReviewRun& run, const ItemRef& ref) {
  const size_t source = run.SourceOf(ref);
  std::string words = run.Work().source_rows[source].name;
  if (!ref.is_class) {
    const AttributeItem& item = run.Work().input.attribute_items[ref.item];
    words += ": " + run.Work().input.source[source].attributes[item.source_attribute].label.str();
  }
  return words;
}

}  // namespace

ApplyPreview PreviewApply(const ReviewRun& run) {
  ApplyPreview preview;
  const SuggestOutput decided = DecidedOnly(run);
  const RowPlan plan = run.Planner().Plan(decided);
  for (const ProposedRow& proposed : plan.written) {
    std::string row = run.Planner().Text(decided, proposed);
    preview.rows_text += row + "\n";
    auto& kind = proposed.no_mapping ? preview.no_mapping_rows
                 : proposed.is_class ? preview.class_rows
                                     : preview.attribute_rows;
    kind.push_back(std::move(row));
  }
  const std::vector<TextLine>& lines = run.Planner().Table().Lines();
  auto look = [&](const ItemRef& ref, const ItemRow& row) {
    if (!run.DecisionOf(ref).decided()) return;
    switch (row.fate) {
      case RowFate::kWritten:
      case RowFate::kInTable:
        return;
      case RowFate::kTableRowDiffers: {
        const long line = row.note == ItemRow::kNone ? 0 : plan.notes[row.note].line;
        if (plan.Row(row) != nullptr && line > 0 && static_cast<size_t>(line) <= lines.size()) {
          preview.retargets.push_back({line, ItemWords(run, ref),
                                       std::string(lines[static_cast<size_t>(line) - 1].content),
                                       *plan.Row(row)});
          return;
        }
        break;
      }
      default:
        break;
    }
    std::string said = ItemWords(run, ref) + ": " + std::string(FateWords(row.fate));
    if (row.note != ItemRow::kNone) said = plan.NoteText(row.note);
    if (row.fate != RowFate::kNameUnwritable && plan.Row(row) != nullptr &&
        said.find(*plan.Row(row)) == std::string::npos) {
      said += "; the row to write by hand: " + *plan.Row(row);
    }
    preview.unwritten.push_back(std::move(said));
  };
  for (size_t i = 0; i < plan.classes.size(); ++i) look({true, i}, plan.classes[i]);
  for (size_t a = 0; a < plan.attributes.size(); ++a) look({false, a}, plan.attributes[a]);
  std::string all = preview.rows_text;
  for (const ApplyPreview::Retarget& retarget : preview.retargets)
    all += std::to_string(retarget.line) + ":" + retarget.new_row + "\n";
  preview.stamp = std::to_string(TextStamp(all)) + "-" + std::to_string(run.TableStamp());
  return preview;
}

std::string WithRetargets(const std::string& table,
                          const std::vector<ApplyPreview::Retarget>& retargets,
                          std::string& problem) {
  std::map<long, const ApplyPreview::Retarget*> by_line;
  for (const ApplyPreview::Retarget& retarget : retargets) by_line[retarget.line] = &retarget;
  std::string text;
  long line = 0;
  for (const TextLine& each : SplitLines(table)) {
    auto found = by_line.find(++line);
    if (found == by_line.end()) {
      text += each.Text();
      continue;
    }
    if (each.content != found->second->old_row) {
      problem = "table line " + std::to_string(line) + " no longer reads " + found->second->old_row;
      return "";
    }
    text += found->second->new_row;
    text += each.end;
    by_line.erase(found);
  }
  if (!by_line.empty()) {
    problem = "the table has no line " + std::to_string(by_line.begin()->first);
    return "";
  }
  return text;
}
