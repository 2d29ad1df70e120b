#include "suggestions/row_plan.h"

#include <algorithm>
#include <unordered_map>

#include "dictionary/parsed_line.h"
#include "merge/completed_rows.h"
#include "merge/merge_plan.h"
#include "merge/table_blocks.h"
#include "text/text_helpers.h"

namespace {

// A merge is planned again without the rows it refused until it takes
// every row left; a refusal can only cost the rows that build on it, so
// this settles at once in practice.
constexpr int kMostPlans = 4;

std::string_view WithoutLineEnd(std::string_view value) {
  while (!value.empty() && (value.back() == '\n' || value.back() == '\r')) value.remove_suffix(1);
  return value;
}

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
  return row;
}

class TableDomains {
 public:
  explicit TableDomains(const std::string& text) : maps_(ReadTableDomains(text)) {}

  std::string For(const std::string& target_parent, const std::string& source_parent,
                  const std::string& fallback) const {
    if (auto it = maps_.byTargetParent.find(target_parent); it != maps_.byTargetParent.end()) return it->second;
    if (auto it = maps_.bySourceParent.find(source_parent); it != maps_.bySourceParent.end()) return it->second;
    return fallback;
  }

 private:
  TableDomainMaps maps_;
};

// A row waiting for the merge's word: the item it is for.
struct Proposal {
  bool is_class = false;
  size_t item = 0;
};

class Planner {
 public:
  Planner(const SuggestWork& work, const SuggestOutput& output, std::string table_text,
          const std::string& table_path)
      : work_(work), output_(output), domains_(table_text), table_(std::move(table_text)), tablePath_(table_path) {
    plan_.classes.resize(output.classes.size());
    plan_.attributes.resize(output.attributes.size());
    plan_.attributeTableRows.assign(output.attributes.size(), nullptr);
    effectiveTarget_ = work.mappedTarget;
    for (size_t i = work.input.target.size(); i-- > 0;) firstWithParent_[work.input.target[i].parent_key] = i;
  }

  RowPlan Plan() {
    ProposeInSourceOrder();
    std::vector<Proposal> left = std::move(proposals_);
    for (int round = 0; round < kMostPlans && !left.empty(); ++round) left = Merge(left);
    for (const Proposal& proposal : left) {
      Set(FateOf(proposal), RowFate::kMergeRefuses, Said(proposal) + ": a merge keeps refusing its row",
          FateOf(proposal).row);
    }
    return std::move(plan_);
  }

 private:
  // Class rows and attribute rows in the order the file holds them: each
  // class item's row, then the rows of its attribute items.
  void ProposeInSourceOrder() {
    std::vector<long> class_item_of(work_.input.source.size(), -1);
    for (size_t i = 0; i < output_.classes.size(); ++i) class_item_of[output_.classes[i].source] = static_cast<long>(i);
    std::vector<size_t> by_class(output_.attributes.size());
    for (size_t i = 0; i < by_class.size(); ++i) by_class[i] = i;
    std::stable_sort(by_class.begin(), by_class.end(), [&](size_t a, size_t b) {
      return output_.attributes[a].item.source_class < output_.attributes[b].item.source_class;
    });
    size_t next = 0;
    for (size_t source = 0; source < work_.input.source.size(); ++source) {
      if (class_item_of[source] >= 0) ClassRow(static_cast<size_t>(class_item_of[source]));
      for (; next < by_class.size() && output_.attributes[by_class[next]].item.source_class == source; ++next) {
        AttributeRow(by_class[next]);
      }
    }
  }

  uint32_t Keep(std::string row) {
    plan_.rows.push_back(std::move(row));
    return static_cast<uint32_t>(plan_.rows.size() - 1);
  }

  void Set(ItemRow& item, RowFate fate, std::string note = "", uint32_t row = ItemRow::kNone) {
    item.fate = fate;
    item.row = row;
    if (!note.empty()) {
      plan_.notes.push_back(std::move(note));
      item.note = static_cast<uint32_t>(plan_.notes.size() - 1);
    }
  }

  std::string Where(const TableRowRef* row) const {
    return row ? tablePath_ + ":" + std::to_string(row->line) + ": " : "";
  }

  // The name of a value no row can hold, or empty: a comma or a line end in
  // it, or nothing at all (the table reader reads a row with an empty name
  // or parent as another kind of row).
  static std::string Unwritable(std::initializer_list<std::pair<const char*, const std::string*>> values) {
    for (const auto& [what, value] : values) {
      if (value->empty()) return std::string("its ") + what + " is empty, which no table row can hold";
      if (value->find_first_of(",\n") != std::string::npos) {
        return std::string(what) + " '" + *value + "' holds a comma or a line end, which no table row can hold";
      }
    }
    return "";
  }

  void ClassRow(size_t item) {
    const ClassSuggestion& suggestion = output_.classes[item];
    const ItemContext& context = work_.classContext[item];
    ItemRow& fate = plan_.classes[item];
    if (!suggestion.accepted || suggestion.candidates.empty()) return;
    const size_t target = suggestion.candidates.front().target;
    const RowNames& source = work_.sourceRows[suggestion.source];
    const RowNames& names = work_.targetRows[target];
    const std::string said = source.name;
    std::string problem = Unwritable({{"class", &source.name}, {"parent", &source.parent},
                                      {"target class", &names.name}, {"target parent", &names.parent}});
    if (!problem.empty()) return Set(fate, RowFate::kNameUnwritable, said + ": " + problem);
    std::string domain = domains_.For(names.parent, source.parent, work_.targetDomain);
    const std::string star = "*";
    std::string row = Row({&source.name, &source.parent, &star, &names.name, &names.parent, &star});
    if (!domain.empty()) row += Spelled(domain) + ",";
    const bool open_row = context.row && context.row->text.find(",,") != std::string::npos;
    if (context.row && !open_row) {
      return Set(fate, RowFate::kTableRowDiffers,
                 Where(context.row) + said + ": the table's class row names another target and a merge never "
                 "replaces it; edit it to read: " + row, Keep(row));
    }
    effectiveTarget_[suggestion.source] = static_cast<long>(target);
    fate.row = Keep(std::move(row));
    proposals_.push_back({true, item});
  }

  // The first target class whose parent is `target`'s: the class the
  // lookup of an attribute row naming `target` finds.
  bool LookupFinds(size_t target) const {
    auto first = firstWithParent_.find(work_.input.target[target].parent_key);
    return first != firstWithParent_.end() && first->second == target;
  }

  void AttributeRow(size_t item) {
    const AttributeSuggestion& suggestion = output_.attributes[item];
    ItemRow& fate = plan_.attributes[item];
    const size_t source_class = suggestion.item.source_class;
    const RowNames& source = work_.sourceRows[source_class];
    const std::string label = work_.input.source[source_class].attributes[suggestion.item.source_attribute].label.str();
    const std::string said = source.name + ": " + label;
    if (!work_.attributeContext[item].row) plan_.attributeTableRows[item] = TableRowFor(source, label);
    if (!suggestion.accepted || suggestion.candidates.empty()) return;
    const long target = effectiveTarget_[source_class];
    if (target < 0) {
      return Set(fate, RowFate::kClassNotPlaced,
                 said + ": its class has no target a row names yet: decide the class first");
    }
    const AttributeCandidate& best = suggestion.candidates.front();
    const SuggestClass& holder = work_.input.target[best.target_class];
    const std::string key = holder.attributes[best.target_attribute].key.str();
    size_t named = static_cast<size_t>(target);
    if (best.target_class != named) {
      if (!LookupFinds(best.target_class)) {
        const SuggestClass& first = work_.input.target[firstWithParent_.at(holder.parent_key)];
        return Set(fate, RowFate::kOutOfReach,
                   said + ": " + holder.key.str() + "." + key + " is out of any row's reach: a row naming " +
                       holder.key.str() + " is looked up in " + first.key.str() + ", the first class under " +
                       holder.parent_key.str() + "; map it by hand, or give " +
                       work_.input.target[named].key.str() + " the attribute in the target");
      }
      named = best.target_class;
    }
    const RowNames& names = work_.targetRows[named];
    std::string problem =
        Unwritable({{"class", &source.name}, {"parent", &source.parent}, {"attribute", &label},
                    {"target class", &names.name}, {"target parent", &names.parent}, {"target attribute", &key}});
    if (!problem.empty()) return Set(fate, RowFate::kNameUnwritable, said + ": " + problem);
    std::string row = Row({&source.name, &source.parent, &label, &names.name, &names.parent, &key});
    const ItemContext& context = work_.attributeContext[item];
    if (context.reason == "target_missing") {
      return Set(fate, RowFate::kTableRowDiffers,
                 Where(context.row) + said + ": the table's row names another target attribute and a merge "
                 "never replaces it; edit it to read: " + row, Keep(row));
    }
    fate.row = Keep(std::move(row));
    proposals_.push_back({false, item});
  }

  // The table row the run's attribute walk takes for the attribute of a
  // class that needs a target, if its class has a class row.
  const TableRowRef* TableRowFor(const RowNames& source, const std::string& label) {
    const size_t class_row = table_.FirstClassRow(source.name, source.parent);
    if (class_row == TableBlocks::kNone) return nullptr;
    const size_t taken = table_.RowTakenFor(class_row, table_.BlockEnd(class_row, source.name), label);
    if (taken == TableBlocks::kNone) return nullptr;
    return &plan_.tableRows.emplace_back(
        TableRowRef{static_cast<long>(taken + 1), std::string(table_.Lines()[taken].content)});
  }

  ItemRow& FateOf(const Proposal& proposal) {
    return proposal.is_class ? plan_.classes[proposal.item] : plan_.attributes[proposal.item];
  }

  std::string Said(const Proposal& proposal) const {
    if (proposal.is_class) return work_.sourceRows[output_.classes[proposal.item].source].name;
    const AttributeItem& item = output_.attributes[proposal.item].item;
    return work_.sourceRows[item.source_class].name + ": " +
           work_.input.source[item.source_class].attributes[item.source_attribute].label.str();
  }

  // Plans a merge of the proposals; settles those the merge takes or turns
  // down, and returns those to plan again without the ones turned down.
  // The attribute rows of a class whose class row is turned down wait for
  // their class, as the merge would have them.
  std::vector<Proposal> Merge(const std::vector<Proposal>& proposals) {
    std::string text;
    for (const Proposal& proposal : proposals) (text += plan_.rows[FateOf(proposal).row]) += '\n';
    const CompletedFile file(text);
    const MergePlan merge = PlanMerge(table_, file.Rows());
    std::vector<bool> class_turned_down(work_.input.source.size(), false);
    std::vector<Proposal> again;
    for (size_t i = 0; i < proposals.size(); ++i) {
      const Proposal& proposal = proposals[i];
      const RowOutcome outcome = i < merge.results.size() ? merge.results[i].outcome : RowOutcome::kRefused;
      if (outcome != RowOutcome::kRefused && outcome != RowOutcome::kConflict) {
        again.push_back(proposal);
        continue;
      }
      if (proposal.is_class) {
        const size_t source = output_.classes[proposal.item].source;
        class_turned_down[source] = true;
        effectiveTarget_[source] = work_.mappedTarget[source];
        TurnDown(proposal, merge.results[i]);
      } else if (class_turned_down[output_.attributes[proposal.item].item.source_class]) {
        Set(FateOf(proposal), RowFate::kClassNotPlaced, Said(proposal) + ": its class's row is not written, "
            "so neither is the row of its attribute", FateOf(proposal).row);
      } else {
        TurnDown(proposal, merge.results[i]);
      }
    }
    if (again.size() < proposals.size()) return again;
    for (size_t i = 0; i < proposals.size(); ++i) {
      ItemRow& fate = FateOf(proposals[i]);
      const RowResult& result = merge.results[i];
      // The same row twice (a class the dictionary lists twice) is written once.
      const bool present = result.outcome == RowOutcome::kAlreadyPresent;
      fate.fate = present && result.tableLine > 0 ? RowFate::kInTable : RowFate::kWritten;
      if (!present) plan_.written.push_back(fate.row);
    }
    return {};
  }

  // A row the merge refuses, or one that conflicts with a row of the table
  // (which a merge never replaces) or with another suggestion's row.
  void TurnDown(const Proposal& proposal, const RowResult& result) {
    ItemRow& fate = FateOf(proposal);
    const std::string where = result.tableLine > 0 ? tablePath_ + ":" + std::to_string(result.tableLine) + ": " : "";
    const std::string& row = plan_.rows[fate.row];
    if (result.outcome == RowOutcome::kRefused) {
      return Set(fate, RowFate::kMergeRefuses, where + Said(proposal) + ": a merge would refuse its row " + row +
                 ": " + result.reason, fate.row);
    }
    if (result.tableLine == 0) {
      return Set(fate, RowFate::kMergeRefuses, Said(proposal) + ": another suggestion gives the same " +
                 (proposal.is_class ? "class" : "attribute") + " its row first", fate.row);
    }
    Set(fate, RowFate::kTableRowDiffers, where + Said(proposal) + ": the table's row says otherwise and a merge "
        "never replaces it; edit it to read: " + row, fate.row);
  }

  const SuggestWork& work_;
  const SuggestOutput& output_;
  TableDomains domains_;
  TableBlocks table_;
  std::string tablePath_;
  RowPlan plan_;
  std::vector<Proposal> proposals_;
  std::vector<long> effectiveTarget_;
  std::unordered_map<std::string_view, size_t> firstWithParent_;
};

}  // namespace

std::string_view FateCode(RowFate fate) {
  switch (fate) {
    case RowFate::kWritten: return "written";
    case RowFate::kNotAccepted: return "not_accepted";
    case RowFate::kClassNotPlaced: return "class_not_placed";
    case RowFate::kTableRowDiffers: return "table_row_differs";
    case RowFate::kNameUnwritable: return "name_unwritable";
    case RowFate::kOutOfReach: return "out_of_reach";
    case RowFate::kMergeRefuses: return "merge_refuses";
    case RowFate::kInTable: return "in_table";
  }
  return "";
}

std::string_view FateWords(RowFate fate) {
  switch (fate) {
    case RowFate::kWritten: return "written";
    case RowFate::kNotAccepted: return "no suggestion accepted";
    case RowFate::kClassNotPlaced: return "the class has no target yet";
    case RowFate::kTableRowDiffers: return "the table's row says otherwise (a merge never replaces it)";
    case RowFate::kNameUnwritable: return "a name no table row can hold";
    case RowFate::kOutOfReach: return "the target attribute is out of any row's reach";
    case RowFate::kMergeRefuses: return "a merge would refuse the row";
    case RowFate::kInTable: return "the table holds the row already";
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
    std::string_view domain = WithoutLineEnd(line.Raw(7));
    if (line.Plain(3) == "*" && !domain.empty()) {
      maps.byTargetParent.try_emplace(std::string(line.Plain(5)), domain);
      maps.bySourceParent.try_emplace(std::string(line.Plain(2)), domain);
    }
    start = end;
  }
  return maps;
}

RowPlan PlanRows(const SuggestWork& work, const SuggestOutput& output, std::string table_text,
                 const std::string& table_path) {
  return Planner(work, output, std::move(table_text), table_path).Plan();
}

void WriteRows(std::ostream& out, const RowPlan& plan) {
  for (uint32_t row : plan.written) out << plan.rows[row] << '\n';
}
