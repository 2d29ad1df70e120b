// Writes the mapping table for a planned pair of dictionaries: one block of
// rows per class (its class row, then its attribute rows), stale blocks
// for classes the dictionary no longer has, duplicates, blocks out of
// order and, in the hostile shape, every kind of untidy row.
#include <algorithm>
#include <string>
#include <vector>

#include "bench/tree_model.h"

namespace zor_bench {
namespace {

const std::vector<std::string> kNoTargetCodes = {"PIP", "EQT", "INS", "TUB", "HVA",
                                                 "CND", "RWY", "HGR", "*"};

struct Row {
  std::vector<std::string> columns;
  bool trailing_comma = true;
};
using Block = std::vector<Row>;

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

class TableWriter {
 public:
  TableWriter(const DictionaryPlan& plan, const PlanSettings& settings, SeededRandom& random)
      : plan_(plan), settings_(settings), random_(random) {
    for (size_t i = 0; i < plan.sources.size(); ++i) {
      if (plan.sources[i].fate == ClassFate::kMapped) mapped_.push_back(i);
    }
    for (size_t t = 0; t < plan.targets.size(); ++t) {
      if (!plan.targets[t].attributes.empty()) targets_with_attributes_.push_back(t);
    }
  }

  TableText Write() {
    std::vector<Block> blocks;
    for (const SourceClass& c : plan_.sources) {
      Block block = BlockFor(c);
      if (!block.empty()) blocks.push_back(std::move(block));
    }
    AddStaleBlocks(blocks);
    Reorder(blocks);
    std::vector<Row> rows;
    for (Block& block : blocks) {
      for (Row& row : block) rows.push_back(std::move(row));
    }
    for (Row& row : strays_) rows.push_back(std::move(row));
    return Render(rows);
  }

 private:
  bool Odd() { return Oddity(random_, settings_); }
  // Untidy rows stay the exception even in a hostile table, so that most
  // classes still reach the comparison's deeper steps.
  bool OddRow() { return Oddity(random_, settings_, 4); }

  // The ampersand of a name may be written either way in the table.
  std::string Name(const std::string& name) {
    if (settings_.oddity_rate == 0 || name.find('&') == std::string::npos || random_.Coin()) {
      return name;
    }
    return ReplaceAll(name, "&", "&amp;");
  }

  // The first two columns: how the comparison names a class and its parent.
  std::string RowName(const SourceClass& c) { return Name(settings_.v4() ? c.label : c.key); }
  std::string RowParent(const SourceClass& c) {
    bool by_key = !settings_.v4() && !settings_.old_layout();
    return Name(by_key ? c.parent_key : c.parent_label);
  }
  // Columns 4 and 5 of a class row: how the comparison finds the target.
  std::string ClassTarget(const TargetClass& t) { return Name(settings_.v4() ? t.key : t.label); }
  std::string ClassTargetParent(const TargetClass& t) {
    bool by_label = !settings_.v4() && settings_.old_layout();
    return Name(by_label ? t.parent_label : t.parent_key);
  }

  const TargetClass* TargetOf(const SourceClass& c) {
    return c.target < 0 ? nullptr : &plan_.targets[static_cast<size_t>(c.target)];
  }

  Row MakeRow(std::vector<std::string> columns) {
    return Row{std::move(columns), random_.PerMille(850)};
  }

  Block BlockFor(const SourceClass& c) {
    Block block;
    if (c.fate == ClassFate::kNotInTable) {
      // A class moved to another parent since the table was written.
      if (random_.PerMille(300)) {
        block.push_back(
            MakeRow({RowName(c), "Former " + RowParent(c), "*", "Retired", "", "*", c.domain}));
      }
      return block;
    }
    block.push_back(ClassRowFor(c));
    if (!c.lists_no_attributes) {
      for (const SourceAttribute& a : c.attributes) AddAttributeRow(c, a, block);
    }
    if (block.size() > 2 && random_.PerMille(100)) {
      Block attributes(block.begin() + 1, block.end());
      random_.Shuffle(attributes);
      std::copy(attributes.begin(), attributes.end(), block.begin() + 1);
    }
    if (settings_.oddity_rate > 0) MakeUntidy(block);
    return block;
  }

  std::string MissingTarget(const SourceClass& c) { return "Proposed" + WithoutBlanks(c.label); }

  // A parent that some row names as its target class.
  std::string KnownParent(const SourceClass& c) {
    if (c.parent >= 0) {
      const SourceClass& parent = plan_.sources[static_cast<size_t>(c.parent)];
      if (parent.fate == ClassFate::kMapped) return ClassTarget(*TargetOf(parent));
    }
    if (mapped_.empty()) return "PlantItem";
    return ClassTarget(*TargetOf(plan_.sources[random_.Pick(mapped_)]));
  }

  Row ClassRowFor(const SourceClass& c) {
    std::string name = RowName(c);
    std::string parent = RowParent(c);
    switch (c.fate) {
      case ClassFate::kBadlyMapped:
        switch (random_.Index(3)) {
          case 0:
            return MakeRow(
                {name, parent, "*", random_.Pick(kNoTargetCodes), "Equipment", "*", c.domain});
          case 1:
            return Row{{name, parent, "*", "", "", "*", ""}, true};  // a proposed row, unfilled
          default:
            return MakeRow({name, parent, "*", "", "", "", c.domain});
        }
      case ClassFate::kBlueNoDomain:
        return Row{{name, parent, "*", MissingTarget(c), KnownParent(c), "*"}, false};
      case ClassFate::kBlueKnownParent:
        return MakeRow({name, parent, "*", MissingTarget(c), KnownParent(c), "*", c.domain});
      case ClassFate::kBlueUnknownParent:
        return MakeRow({name, parent, "*", MissingTarget(c),
                        "Unlisted" + WithoutBlanks(c.parent_label), "*", c.domain});
      case ClassFate::kUnmapped:
        if (random_.Coin()) return MakeRow({name, parent, "*", "No Mapping", "", "*", c.domain});
        return MakeRow({name, parent, "*", "", "", "*", "No Mapping"});
      default: {
        const TargetClass& t = *TargetOf(c);
        return MakeRow({name, parent, "*", ClassTarget(t), ClassTargetParent(t), "*", c.domain});
      }
    }
  }

  void AddAttributeRow(const SourceClass& c, const SourceAttribute& a, Block& block) {
    if (a.fate == AttributeFate::kNotInTable) return;
    std::string name = RowName(c);
    std::string parent = RowParent(c);
    std::string label = Name(a.label);
    const TargetClass* t = TargetOf(c);
    if (c.fate == ClassFate::kUnmapped) {
      block.push_back(UnmappedClassAttributeRow(name, parent, label, t, a, c.domain));
      return;
    }
    if (c.fate != ClassFate::kMapped) {
      block.push_back(
          MakeRow({name, parent, label, MissingTarget(c), c.parent_key, a.target_key, c.domain}));
      return;
    }
    switch (a.fate) {
      case AttributeFate::kBadlyMapped:
        if (random_.Coin())
          block.push_back(MakeRow({name, parent, label, "", "", "", c.domain}));
        else
          block.push_back(Row{{name, parent, label, "", "", ""}, false});
        return;
      case AttributeFate::kUnmapped:
        if (random_.Coin())
          block.push_back(MakeRow({name, parent, label, "No Mapping", "", "", c.domain}));
        else
          block.push_back(
              MakeRow({name, parent, label, t->key, t->parent_key, a.target_key, "No Mapping"}));
        return;
      case AttributeFate::kIntoOtherClass:
        if (!targets_with_attributes_.empty()) {
          const TargetClass& other = plan_.targets[random_.Pick(targets_with_attributes_)];
          block.push_back(MakeRow({name, parent, label, other.key, other.parent_key,
                                   random_.Pick(other.attributes).key, c.domain}));
        }
        return;
      default:
        block.push_back(
            MakeRow({name, parent, label, t->key, t->parent_key, a.target_key, c.domain}));
    }
  }

  Row UnmappedClassAttributeRow(const std::string& name, const std::string& parent,
                                const std::string& label, const TargetClass* t,
                                const SourceAttribute& a, const std::string& domain) {
    switch (a.fate) {
      case AttributeFate::kUnmapped:
        return MakeRow(
            {name, parent, label, random_.Coin() ? "No Mapping" : "No Map", "", "", domain});
      case AttributeFate::kBadlyMapped:
        if (random_.Coin()) return Row{{name, parent, label, "", "", ""}, false};
        return Row{{name, parent, label}, false};
      default: {
        if (t == nullptr) t = &plan_.targets[random_.Index(plan_.targets.size())];
        return MakeRow({name, parent, label, t->key, t->parent_key, a.target_key, domain});
      }
    }
  }

  // Rows for classes the dictionary no longer has; their parent column
  // often names a class that is still there, which makes them its children.
  void AddStaleBlocks(std::vector<Block>& blocks) {
    int count = static_cast<int>(plan_.sources.size()) / 30 + 1;
    for (int n = 0; n < count && !plan_.sources.empty(); ++n) {
      const SourceClass& parent = plan_.sources[random_.Index(plan_.sources.size())];
      std::string name = "Obsolete Item " + std::to_string(n + 1);
      Block block{MakeRow({name, RowName(parent), "*", "ObsoleteItem", "PlantItem", "*", "EQT"})};
      block.push_back(MakeRow({name, RowName(parent), "Design Pressure", "ObsoleteItem",
                               "PlantItem", "DesignPressure", "EQT"}));
      blocks.insert(blocks.begin() + static_cast<long>(random_.Index(blocks.size() + 1)), block);
    }
  }

  // Blocks keep roughly the order of the dictionary: neighbours swapped now
  // and then, a few repeated further down, and in the hostile shape some
  // moved far away.
  void Reorder(std::vector<Block>& blocks) {
    for (size_t i = 0; i + 1 < blocks.size(); ++i) {
      if (random_.PerMille(100)) std::swap(blocks[i], blocks[i + 1]);
    }
    size_t count = blocks.size();
    for (size_t i = 0; i < count; ++i) {
      if (random_.PerMille(10)) {
        size_t at = i + 1 + random_.Index(blocks.size() - i);
        blocks.insert(blocks.begin() + static_cast<long>(at), blocks[i]);
      }
    }
    for (size_t i = 0; i < blocks.size(); ++i) {
      if (Odd()) std::swap(blocks[i], blocks[random_.Index(blocks.size())]);
    }
  }

  void MakeUntidy(Block& block) {
    Row class_row = block.front();
    if (Odd()) {  // a second class row that disagrees, first or last
      Row conflict = class_row;
      conflict.columns.resize(7);
      static const std::vector<std::string> kTargets = {"No Mapping", "EQT", "", "SomeOtherClass"};
      conflict.columns[3] = random_.Pick(kTargets);
      if (random_.Coin())
        block.insert(block.begin(), conflict);
      else
        block.push_back(conflict);
    }
    if (Odd()) {  // the class name in another letter case
      Row variant = class_row;
      variant.columns[0] =
          random_.Coin() ? Uppercase(variant.columns[0]) : Lowercase(variant.columns[0]);
      block.insert(block.begin() + static_cast<long>(random_.Index(block.size() + 1)), variant);
    }
    if (Odd()) {  // a "*" that is not quite one
      static const std::vector<std::string> kStars = {"**", " *", "* ", "*x"};
      Row& target = random_.Coin() ? block.front() : block.emplace_back(class_row);
      target.columns[2] = random_.Pick(kStars);
    }
    for (Row& row : block) MakeRowUntidy(row);
    if (block.size() > 2 && Odd()) DuplicateAttributeRow(block);
    if (block.size() > 1 && Odd()) MoveAttributeRows(block);
  }

  void MakeRowUntidy(Row& row) {
    static const std::vector<std::string> kNoMappings = {"no mapping", "NO MAPPING", "No mapping",
                                                         "No  Mapping", "No Map"};
    for (std::string& column : row.columns) {
      if ((column == "No Mapping" || column == "No Map") && Odd())
        column = random_.Pick(kNoMappings);
    }
    if (OddRow()) row.columns[random_.Index(row.columns.size())].clear();
    if (row.columns.size() > 3 && OddRow()) {
      row.columns[3 + random_.Index(row.columns.size() - 3)] = "No Mapping";
    }
    if (OddRow()) {
      row.columns.push_back("extra");
      row.columns.push_back("");
    }
    if (OddRow()) row.columns[0] = " " + row.columns[0];
    if (OddRow()) row.trailing_comma = !row.trailing_comma;
  }

  void DuplicateAttributeRow(Block& block) {
    size_t from = 1 + random_.Index(block.size() - 1);
    block.insert(block.begin() + static_cast<long>(1 + random_.Index(block.size() - 1)),
                 block[from]);
  }

  // The attribute rows stand apart from their class row: before it, or at
  // the very end of the table.
  void MoveAttributeRows(Block& block) {
    if (random_.Coin()) {
      std::rotate(block.begin(), block.begin() + 1, block.end());
      return;
    }
    strays_.insert(strays_.end(), block.begin() + 1, block.end());
    block.resize(1);
  }

  TableText Render(const std::vector<Row>& rows) {
    enum class LineEnds { kLf, kCrLf, kMixed };
    LineEnds ends = LineEnds::kLf;
    if (settings_.oddity_rate > 0) ends = static_cast<LineEnds>(random_.Weighted({50, 30, 20}));
    bool last_without_end = settings_.oddity_rate > 0 && random_.Coin();
    static const std::vector<std::string> kStrayLines = {"", ",,,,,,", "   ", "*", "\t"};
    TableText table;
    auto end_line = [&] {
      bool crlf = ends == LineEnds::kCrLf || (ends == LineEnds::kMixed && random_.Coin());
      table.text += crlf ? "\r\n" : "\n";
    };
    for (size_t r = 0; r < rows.size(); ++r) {
      if (OddRow()) {
        table.text += random_.Pick(kStrayLines);
        end_line();
        table.rows += 1;
      }
      const Row& row = rows[r];
      for (size_t c = 0; c < row.columns.size(); ++c) {
        if (c > 0) table.text += ',';
        table.text += row.columns[c];
      }
      if (row.trailing_comma) table.text += ',';
      if (r + 1 < rows.size() || !last_without_end) end_line();
      table.rows += 1;
    }
    return table;
  }

  const DictionaryPlan& plan_;
  const PlanSettings& settings_;
  SeededRandom& random_;
  std::vector<size_t> mapped_;
  std::vector<size_t> targets_with_attributes_;
  std::vector<Row> strays_;
};

}  // namespace

TableText WriteMappingTable(const DictionaryPlan& plan, const PlanSettings& settings,
                            SeededRandom& random) {
  return TableWriter(plan, settings, random).Write();
}

}  // namespace zor_bench
