#include "suggestion_run/row_plan.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <tuple>
#include <unordered_map>

#include "dictionary/parsed_line.h"
#include "merge/completed_rows.h"
#include "merge/merge_plan.h"
#include "merge/table_blocks.h"

namespace {

// A merge is planned again without the rows it turned down until it takes
// every row left; a refusal can only cost the rows that build on it, so
// this settles at once in practice.
constexpr int kMostPlans = 4;
// The rows go to the merge's planner this many at a time (whole classes),
// so that the planner's copy of hundreds of thousands of rows is never held.
constexpr size_t kRowsPerPlan = 16384;

std::string_view WithoutLineEnd(std::string_view value) {
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.remove_suffix(1);
  return value;
}

// Makes the text of a proposed row; the same rows are made to plan them and
// again to write them.
class RowComposer {
 public:
  RowComposer(const SuggestWork& work, const SuggestOutput& output, const TableDomainMaps& domains)
      : work_(work), output_(output), domains_(domains) {}

  std::string Text(const ProposedRow& proposed) const {
    if (proposed.no_mapping) {
      const RowNames& source = Source(proposed);
      return proposed.is_class
                 ? NoMappingClassRow(source.name, source.parent, domains_, work_.target_domain)
                 : NoMappingAttributeRow(source.name, source.parent, Label(proposed));
    }
    return proposed.is_class ? ClassRow(proposed) : AttributeRow(proposed);
  }

  const RowNames& Source(const ProposedRow& proposed) const {
    return work_.source_rows[SourceClass(proposed)];
  }

  size_t SourceClass(const ProposedRow& proposed) const {
    return proposed.is_class ? output_.classes[proposed.item].source
                             : output_.attributes[proposed.item].item.source_class;
  }

  std::string Label(const ProposedRow& proposed) const {
    const AttributeItem& item = output_.attributes[proposed.item].item;
    return work_.input.source[item.source_class].attributes[item.source_attribute].label.str();
  }

  std::string Key(const ProposedRow& proposed) const {
    const AttributeCandidate& best = output_.attributes[proposed.item].candidates.front();
    return work_.input.target[best.target_class].attributes[best.target_attribute].key.str();
  }

 private:
  std::string ClassRow(const ProposedRow& proposed) const {
    const RowNames& source = Source(proposed);
    const RowNames& names = work_.target_rows[proposed.named];
    return RowText({source.name, source.parent, "*", names.name, names.parent, "*"}) +
           DomainColumn(ClassRowDomain(domains_, work_.target_domain, names.parent, source.parent));
  }

  std::string AttributeRow(const ProposedRow& proposed) const {
    const RowNames& source = Source(proposed);
    const RowNames& names = work_.target_rows[proposed.named];
    return RowText(
        {source.name, source.parent, Label(proposed), names.name, names.parent, Key(proposed)});
  }

  const SuggestWork& work_;
  const SuggestOutput& output_;
  const TableDomainMaps& domains_;
};

}  // namespace

// What the plan reads of a run's items whatever the suggestions: each
// source class's items, and the class an attribute row naming a parent's
// child finds.
struct PlanLayout {
  explicit PlanLayout(const SuggestWork& work) {
    const SuggestInput& input = work.input;
    class_item_of.assign(input.source.size(), -1);
    for (size_t i = 0; i < input.class_items.size(); ++i)
      class_item_of[input.class_items[i]] = static_cast<long>(i);
    attributes_of.resize(input.source.size());
    for (size_t a = 0; a < input.attribute_items.size(); ++a)
      attributes_of[input.attribute_items[a].source_class].push_back(static_cast<uint32_t>(a));
    std::vector<std::string_view> parents;
    for (const SuggestClass& c : input.target) parents.push_back(c.parent_key.view());
    first_with_parent = FirstClassUnderEachParent(parents);
  }

  std::vector<long> class_item_of;                   // per source class, or -1
  std::vector<std::vector<uint32_t>> attributes_of;  // per source class, in item order
  std::unordered_map<std::string_view, size_t> first_with_parent;
};

namespace {

class Planner {
 public:
  // `only`, when given, marks the source classes whose items are planned.
  Planner(const SuggestWork& work, const SuggestOutput& output, const TableBlocks& table,
          const TableDomainMaps& domains, const PlanLayout& layout, const std::string& table_path,
          const std::vector<bool>* only)
      : work_(work),
        output_(output),
        table_path_(table_path),
        table_(table),
        domains_(domains),
        layout_(layout),
        only_(only),
        first_with_parent_(layout.first_with_parent) {
    plan_.table_path = table_path;
    plan_.classes.resize(output.classes.size());
    plan_.attributes.resize(output.attributes.size());
    plan_.attribute_table_rows.assign(output.attributes.size(), nullptr);
    effective_target_ = work.mapped_target;
  }

  RowPlan Plan() {
    ProposeInSourceOrder();
    PlanMerges();
    return std::move(plan_);
  }

 private:
  // Class rows and attribute rows in the order the file holds them: each
  // class item's row, then the rows of its attribute items.
  void ProposeInSourceOrder() {
    for (size_t source = 0; source < work_.input.source.size(); ++source) {
      if (only_ != nullptr && !(*only_)[source]) continue;
      if (layout_.class_item_of[source] >= 0)
        ClassRow(static_cast<size_t>(layout_.class_item_of[source]));
      for (uint32_t item : layout_.attributes_of[source]) AttributeRow(item);
    }
  }

  void Set(ItemRow& item, RowFate fate, RowNote note = {}, std::string row = "") {
    item.fate = fate;
    if (!row.empty()) {
      plan_.rows.push_back(std::move(row));
      item.row = static_cast<uint32_t>(plan_.rows.size() - 1);
    }
    if (!note.item.empty()) {
      plan_.notes.push_back(std::move(note));
      item.note = static_cast<uint32_t>(plan_.notes.size() - 1);
    }
  }

  // The name of a value no row can hold, or empty: a comma or a line end in
  // it, or nothing at all (the table reader reads a row with an empty name
  // or parent as another kind of row).
  static std::string Unwritable(
      std::initializer_list<std::pair<const char*, const std::string*>> values) {
    std::vector<std::string_view> texts;
    for (const auto& value : values) texts.push_back(*value.second);
    const size_t at = FirstUnwritable(texts);
    if (at == kAllWritable) return "";
    const auto& [what, value] = *(values.begin() + at);
    if (value->empty())
      return std::string("its ") + what + " is empty, which no table row can hold";
    return std::string(what) + " '" + *value +
           "' holds a comma or a line end, which no table row can hold";
  }

  void ClassRow(size_t item) {
    const ClassSuggestion& suggestion = output_.classes[item];
    const ItemContext& context = work_.class_context[item];
    ItemRow& fate = plan_.classes[item];
    if (suggestion.no_mapping) return NoMappingRow({static_cast<uint32_t>(item), 0, true, true});
    if (!suggestion.accepted || suggestion.candidates.empty()) return;
    const ProposedRow proposed{static_cast<uint32_t>(item),
                               static_cast<uint32_t>(suggestion.candidates.front().target), true};
    const RowNames& source = work_.source_rows[suggestion.source];
    const RowNames& names = work_.target_rows[proposed.named];
    std::string problem = Unwritable({{"class", &source.name},
                                      {"parent", &source.parent},
                                      {"target class", &names.name},
                                      {"target parent", &names.parent}});
    if (!problem.empty()) return Set(fate, RowFate::kNameUnwritable, {0, source.name, problem});
    const bool open_row = context.row && context.row->text.find(",,") != std::string::npos;
    if (context.row && !open_row) {
      std::string row = composer_.Text(proposed);
      return Set(fate, RowFate::kTableRowDiffers,
                 {context.row->line, source.name,
                  "the table's class row names another target and a merge never replaces it; "
                  "edit it to read: " +
                      row},
                 row);
    }
    effective_target_[suggestion.source] = static_cast<long>(proposed.named);
    proposals_.push_back(proposed);
  }

  // A review's No Mapping: the item's row says so, unless a row of the
  // table already names a target for it (a merge never replaces that) or no
  // row can hold its names. An attribute's needs no target of its class.
  void NoMappingRow(const ProposedRow& proposed) {
    ItemRow& fate = FateOf(proposed);
    const RowNames& source = composer_.Source(proposed);
    const std::string label = proposed.is_class ? "*" : composer_.Label(proposed);
    const std::string said = Said(proposed);
    std::string problem =
        Unwritable({{"class", &source.name}, {"parent", &source.parent}, {"attribute", &label}});
    if (!problem.empty()) return Set(fate, RowFate::kNameUnwritable, {0, said, problem});
    const ItemContext& context = proposed.is_class ? work_.class_context[proposed.item]
                                                   : work_.attribute_context[proposed.item];
    const bool names_a_target =
        context.row && (proposed.is_class ? context.row->text.find(",,") == std::string::npos
                                          : context.reason == "target_missing");
    if (names_a_target) {
      std::string row = composer_.Text(proposed);
      return Set(fate, RowFate::kTableRowDiffers,
                 {context.row->line, said,
                  "the table's row names a target and a merge never replaces it; edit it to "
                  "read: " +
                      row},
                 row);
    }
    proposals_.push_back(proposed);
  }

  // The first target class whose parent is `target`'s: the class the
  // lookup of an attribute row naming `target` finds.
  bool LookupFinds(size_t target) const {
    auto first = first_with_parent_.find(work_.input.target[target].parent_key);
    return first != first_with_parent_.end() && first->second == target;
  }

  void AttributeRow(size_t item) {
    const AttributeSuggestion& suggestion = output_.attributes[item];
    ItemRow& fate = plan_.attributes[item];
    const size_t source_class = suggestion.item.source_class;
    const RowNames& source = work_.source_rows[source_class];
    ProposedRow proposed{static_cast<uint32_t>(item), 0, false};
    const std::string label = composer_.Label(proposed);
    if (!work_.attribute_context[item].row)
      plan_.attribute_table_rows[item] = TableRowFor(source, label);
    if (suggestion.no_mapping) return NoMappingRow({static_cast<uint32_t>(item), 0, false, true});
    if (!suggestion.accepted || suggestion.candidates.empty()) return;
    const std::string said = source.name + ": " + label;
    const long target = effective_target_[source_class];
    // An attribute waits for its class: what to do is said of the class.
    if (target < 0) return Set(fate, RowFate::kClassNotPlaced);
    const AttributeCandidate& best = suggestion.candidates.front();
    const SuggestClass& holder = work_.input.target[best.target_class];
    const std::string key = composer_.Key(proposed);
    proposed.named = static_cast<uint32_t>(target);
    if (best.target_class != proposed.named) {
      if (!LookupFinds(best.target_class)) {
        const SuggestClass& first = work_.input.target[first_with_parent_.at(holder.parent_key)];
        return Set(fate, RowFate::kOutOfReach,
                   {0, said,
                    OutOfReachNote(holder.key.str(), key, first.key.str(), holder.parent_key.str(),
                                   work_.input.target[proposed.named].key.str())});
      }
      proposed.named = best.target_class;
    }
    const RowNames& names = work_.target_rows[proposed.named];
    std::string problem = Unwritable({{"class", &source.name},
                                      {"parent", &source.parent},
                                      {"attribute", &label},
                                      {"target class", &names.name},
                                      {"target parent", &names.parent},
                                      {"target attribute", &key}});
    if (!problem.empty()) return Set(fate, RowFate::kNameUnwritable, {0, said, problem});
    const ItemContext& context = work_.attribute_context[item];
    if (context.reason == "target_missing") {
      std::string row = composer_.Text(proposed);
      return Set(fate, RowFate::kTableRowDiffers,
                 {context.row ? context.row->line : 0, said,
                  "the table's row names another target attribute and a merge never replaces "
                  "it; edit it to read: " +
                      row},
                 row);
    }
    proposals_.push_back(proposed);
  }

  // The table row the run's attribute walk takes for the attribute of a
  // class that needs a target, if its class has a class row. The attribute
  // items of a class come together: its block is read once for all of them.
  const TableRowRef* TableRowFor(const RowNames& source, const std::string& label) {
    if (&source != block_of_) {
      block_of_ = &source;
      block_rows_.clear();
      const size_t class_row = table_.FirstClassRow(source.name, source.parent);
      if (class_row != TableBlocks::kNone) {
        std::deque<std::string> pool;
        const size_t end = table_.BlockEnd(class_row, source.name);
        for (size_t line = class_row + 1; line < end; ++line) {
          pool.clear();
          // As the run reads it: the last line too ends in a line end.
          std::string text(table_.Lines()[line].Text());
          if (!text.ends_with('\n')) text += '\n';
          block_rows_.try_emplace(
              std::string(ParseLine(text, pool).Plain(MappingColumn::kSourceAttribute)), line);
        }
      }
    }
    auto taken = block_rows_.find(label);
    if (taken == block_rows_.end()) return nullptr;
    return &plan_.table_rows.emplace_back(TableRowRef{
        static_cast<long>(taken->second + 1), std::string(table_.Lines()[taken->second].content)});
  }

  ItemRow& FateOf(const ProposedRow& proposed) {
    return proposed.is_class ? plan_.classes[proposed.item] : plan_.attributes[proposed.item];
  }

  std::string Said(const ProposedRow& proposed) const {
    const std::string& name = composer_.Source(proposed).name;
    return proposed.is_class ? name : name + ": " + composer_.Label(proposed);
  }

  // A merge's decisions about one class never depend on the rows of
  // another: the proposals are planned a few thousand at a time, each
  // class's rows together, however far apart the dictionary lists them.
  void PlanMerges() {
    std::vector<uint32_t> order(proposals_.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
      const RowNames& x = composer_.Source(proposals_[a]);
      const RowNames& y = composer_.Source(proposals_[b]);
      return std::tie(x.name, x.parent) < std::tie(y.name, y.parent);
    });
    std::vector<bool> written(proposals_.size(), false);
    for (size_t begin = 0; begin < order.size();) {
      size_t end = std::min(begin + kRowsPerPlan, order.size());
      while (end < order.size() && SameClass(order[end - 1], order[end])) ++end;
      std::vector<uint32_t> left(order.begin() + static_cast<std::ptrdiff_t>(begin),
                                 order.begin() + static_cast<std::ptrdiff_t>(end));
      for (int round = 0; round < kMostPlans && !left.empty(); ++round) left = Merge(left, written);
      for (uint32_t at : left) {
        Set(FateOf(proposals_[at]), RowFate::kMergeRefuses,
            {0, Said(proposals_[at]), "a merge keeps refusing its row"});
      }
      begin = end;
    }
    for (size_t i = 0; i < proposals_.size(); ++i) {
      if (written[i]) plan_.written.push_back(proposals_[i]);
    }
  }

  // The proposals as a merge reads completed rows: they are in the table's
  // form already, so nothing of a spreadsheet's needs undoing.
  std::vector<CompletedRow> CompletedRowsOf(const std::vector<uint32_t>& proposals) {
    texts_.clear();
    std::vector<CompletedRow> rows(proposals.size());
    for (size_t i = 0; i < proposals.size(); ++i) {
      const ProposedRow& proposed = proposals_[proposals[i]];
      CompletedRow& row = rows[i];
      row.line_number = i + 1;
      row.content = texts_.emplace_back(composer_.Text(proposed));
      row.check = CheckRow(row.content);
      const RowNames& source = composer_.Source(proposed);
      row.name = source.name;
      row.parent = source.parent;
      row.attribute = proposed.is_class ? "*" : composer_.Label(proposed);
    }
    return rows;
  }

  bool SameClass(uint32_t a, uint32_t b) const {
    const RowNames& x = composer_.Source(proposals_[a]);
    const RowNames& y = composer_.Source(proposals_[b]);
    return x.name == y.name && x.parent == y.parent;
  }

  // Plans a merge of the proposals; settles those the merge takes or turns
  // down, and returns those to plan again without the ones turned down.
  // The attribute rows of a class whose class row is turned down wait for
  // their class, as the merge would have them.
  std::vector<uint32_t> Merge(const std::vector<uint32_t>& proposals, std::vector<bool>& written) {
    const MergePlan merge = PlanMerge(table_, CompletedRowsOf(proposals));
    std::vector<bool> class_turned_down(work_.input.source.size(), false);
    std::vector<uint32_t> again;
    for (size_t i = 0; i < proposals.size(); ++i) {
      const ProposedRow& proposed = proposals_[proposals[i]];
      const RowResult refused{RowOutcome::kRefused, 0, "it cannot be read back"};
      const RowResult& result = i < merge.results.size() ? merge.results[i] : refused;
      if (result.outcome != RowOutcome::kRefused && result.outcome != RowOutcome::kConflict) {
        again.push_back(proposals[i]);
        continue;
      }
      const size_t source = composer_.SourceClass(proposed);
      if (proposed.is_class) {
        class_turned_down[source] = true;
        TurnDown(proposed, result);
      } else if (class_turned_down[source]) {
        Set(FateOf(proposed), RowFate::kClassNotPlaced);
      } else {
        TurnDown(proposed, result);
      }
    }
    if (again.size() < proposals.size()) return again;
    for (size_t i = 0; i < proposals.size(); ++i) {
      const RowResult& result = merge.results[i];
      // The same row twice (a class the dictionary lists twice) is written once.
      const bool present = result.outcome == RowOutcome::kAlreadyPresent;
      FateOf(proposals_[proposals[i]]).fate =
          present && result.table_line > 0 ? RowFate::kInTable : RowFate::kWritten;
      written[proposals[i]] = !present;
    }
    return {};
  }

  // A row the merge refuses, or one that conflicts with a row of the table
  // (which a merge never replaces) or with another suggestion's row.
  void TurnDown(const ProposedRow& proposed, const RowResult& result) {
    ItemRow& fate = FateOf(proposed);
    const auto line = static_cast<long>(result.table_line);
    std::string row = composer_.Text(proposed);
    if (result.outcome == RowOutcome::kRefused) {
      return Set(
          fate, RowFate::kMergeRefuses,
          {line, Said(proposed), "a merge would refuse its row " + row + ": " + result.reason},
          row);
    }
    if (result.table_line == 0) {
      return Set(fate, RowFate::kMergeRefuses,
                 {0, Said(proposed),
                  std::string("another suggestion gives the same ") +
                      (proposed.is_class ? "class" : "attribute") + " its row first"},
                 row);
    }
    Set(fate, RowFate::kTableRowDiffers,
        {line, Said(proposed),
         "the table's row says otherwise and a merge never replaces it; edit it to read: " + row},
        row);
  }

  const SuggestWork& work_;
  const SuggestOutput& output_;
  std::string table_path_;
  const TableBlocks& table_;
  const TableDomainMaps& domains_;
  const PlanLayout& layout_;
  const std::vector<bool>* only_;
  RowPlan plan_;
  RowComposer composer_{work_, output_, domains_};
  std::vector<ProposedRow> proposals_;
  std::vector<long> effective_target_;
  const std::unordered_map<std::string_view, size_t>& first_with_parent_;
  std::deque<std::string> texts_;       // the rows a merge is planned for, while it is
  const RowNames* block_of_ = nullptr;  // the class whose block block_rows_ holds
  std::unordered_map<std::string, size_t>
      block_rows_;  // attribute label -> the first line taken for it
};

}  // namespace

std::string RowPlan::NoteText(uint32_t note) const {
  const RowNote& said = notes[note];
  std::string text;
  if (said.line > 0) text = table_path + ":" + std::to_string(said.line) + ": ";
  return text + said.item + ": " + said.detail;
}

std::string_view FateCode(RowFate fate) {
  switch (fate) {
    case RowFate::kWritten:
      return "written";
    case RowFate::kNotAccepted:
      return "not_accepted";
    case RowFate::kClassNotPlaced:
      return "class_not_placed";
    case RowFate::kTableRowDiffers:
      return "table_row_differs";
    case RowFate::kNameUnwritable:
      return "name_unwritable";
    case RowFate::kOutOfReach:
      return "out_of_reach";
    case RowFate::kMergeRefuses:
      return "merge_refuses";
    case RowFate::kInTable:
      return "in_table";
  }
  return "";
}

std::string OutOfReachNote(std::string_view holder, std::string_view key,
                           std::string_view looked_up, std::string_view parent,
                           std::string_view class_target) {
  std::string note(holder);
  note.append(".").append(key).append(" is out of any row's reach: a row naming ").append(holder);
  note.append(" is looked up in ").append(looked_up).append(", the first class under ");
  note.append(parent).append("; map it by hand, or give ").append(class_target);
  return note.append(" the attribute in the target");
}

std::string_view FateWords(RowFate fate) {
  switch (fate) {
    case RowFate::kWritten:
      return "written";
    case RowFate::kNotAccepted:
      return "no suggestion accepted";
    case RowFate::kClassNotPlaced:
      return "the class has no target yet (decide the class first)";
    case RowFate::kTableRowDiffers:
      return "the table's row says otherwise (a merge never replaces it)";
    case RowFate::kNameUnwritable:
      return "a name no table row can hold";
    case RowFate::kOutOfReach:
      return "the target attribute is out of any row's reach";
    case RowFate::kMergeRefuses:
      return "a merge would refuse the row";
    case RowFate::kInTable:
      return "the table holds the row already";
  }
  return "";
}

TableDomainMaps ReadTableDomains(const std::string& text) {
  TableDomainMaps maps;
  std::deque<std::string> pool;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    end = end == std::string::npos ? text.size() : end + 1;
    ParsedLine line = ParseLine(std::string_view(text).substr(start, end - start), pool);
    std::string_view domain = WithoutLineEnd(line.Raw(MappingColumn::kDomain));
    if (line.Plain(MappingColumn::kSourceAttribute) == "*" && !domain.empty()) {
      maps.by_target_parent.try_emplace(std::string(line.Plain(MappingColumn::kTargetParent)),
                                        domain);
      maps.by_source_parent.try_emplace(std::string(line.Plain(MappingColumn::kSourceParent)),
                                        domain);
    }
    pool.clear();
    start = end;
  }
  return maps;
}

RowPlanner::RowPlanner(const SuggestWork& work, std::string table_text, std::string table_path)
    : work_(work),
      domains_(ReadTableDomains(table_text)),
      table_(std::move(table_text)),
      table_path_(std::move(table_path)),
      layout_(std::make_unique<PlanLayout>(work)) {}

RowPlanner::~RowPlanner() = default;

RowPlan RowPlanner::Plan(const SuggestOutput& output) const {
  RowPlan plan = Planner(work_, output, table_, domains_, *layout_, table_path_, nullptr).Plan();
  plan.domains = domains_;
  return plan;
}

RowPlan RowPlanner::PlanSome(const SuggestOutput& output, const std::vector<bool>& classes) const {
  return Planner(work_, output, table_, domains_, *layout_, table_path_, &classes).Plan();
}

std::string RowPlanner::Text(const SuggestOutput& output, const ProposedRow& proposed) const {
  return RowComposer(work_, output, domains_).Text(proposed);
}

RowPlan PlanRows(const SuggestWork& work, const SuggestOutput& output, std::string table_text,
                 const std::string& table_path) {
  return RowPlanner(work, std::move(table_text), table_path).Plan(output);
}

void WriteRows(std::ostream& out, const RowPlan& plan, const SuggestWork& work,
               const SuggestOutput& output) {
  const RowComposer composer(work, output, plan.domains);
  std::string text;
  for (const ProposedRow& proposed : plan.written) {
    text.clear();
    (text += composer.Text(proposed)) += '\n';
    out << text;
  }
}
