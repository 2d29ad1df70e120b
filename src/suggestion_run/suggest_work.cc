#include "suggestion_run/suggest_work.h"

#include <deque>
#include <string_view>
#include <unordered_map>

#include "compare/class_record.h"
#include "compare/target_catalog.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "dictionary/parsed_line.h"
#include "text/text_helpers.h"

namespace {

// A dictionary whose parent and short parent are one XML attribute names
// its parent by key only.
bool ParentHasLabel(const ClassNames& names) {
  return std::string_view(names.parent) != names.short_parent;
}

std::string PlainValue(MigrationXMLNode* node, const char* attribute) {
  return Plain(GetValueByTagName(node, attribute)).str();
}

// The names both dictionaries are read with once, kept in the input's store.
SuggestClass NamesOf(NameStore& names, std::string_view label, std::string_view key,
                     std::string_view parent_label, std::string_view parent_key) {
  return SuggestClass{
      names.Keep(label), names.Keep(key), names.Keep(parent_label), names.Keep(parent_key), {}};
}

void ReadSource(const PassProfile& profile, MigrationXMLNode* root, SuggestWork& work,
                bool attributes) {
  bool parent_label = ParentHasLabel(profile.source_class);
  ForEachElement(root, "Class", [&](MigrationXMLNode* node) {
    SourceClass source = ReadSourceClass(profile, node);
    NameStore& names = *work.input.names;
    SuggestClass suggest =
        NamesOf(names, source.label.str(), source.key.str(),
                parent_label ? source.parent.str() : "", source.short_parent.str());
    ForEachElement(attributes ? node : nullptr, "Simple", [&](MigrationXMLNode* attribute) {
      suggest.attributes.push_back(
          {names.Keep(PlainValue(attribute, profile.source_attribute.label)),
           names.Keep(PlainValue(attribute, profile.source_attribute.key))});
      return true;
    });
    suggest.attributes.shrink_to_fit();
    work.source_rows.push_back({RowNameOf(profile, source).str(), source.parent.str()});
    work.input.source.push_back(std::move(suggest));
    return true;
  });
}

void ReadTarget(const PassProfile& profile, MigrationXMLNode* root, SuggestWork& work,
                bool attributes) {
  bool parent_label = ParentHasLabel(profile.target_class);
  std::deque<std::string> pool;
  ForEachElement(root, "Class", [&](MigrationXMLNode* node) {
    TargetClass target = ReadTargetClass(profile, node, work.input.target.size());
    NameStore& names = *work.input.names;
    SuggestClass suggest =
        NamesOf(names, target.label.str(), target.key.str(),
                parent_label ? target.parent.str() : "", target.short_parent.str());
    ForEachElement(attributes ? node : nullptr, "Simple", [&](MigrationXMLNode* attribute) {
      TargetAttribute read = ReadTargetAttribute(profile, attribute, pool);
      suggest.attributes.push_back({names.Keep(read.label), names.Keep(read.key)});
      return true;
    });
    suggest.attributes.shrink_to_fit();
    pool.clear();
    auto [name, parent] = CounterpartKey(profile, target);
    work.target_rows.push_back({std::string(name), std::string(parent)});
    work.input.target.push_back(std::move(suggest));
    return true;
  });
  work.target_domain = PlainValue(root, "Domain");
}

bool IsTargetMissing(FindingKind kind) {
  return kind == FindingKind::kNotFoundInTarget || kind == FindingKind::kDomainMissing ||
         kind == FindingKind::kParentUnknown;
}

}  // namespace

// Turns each class's findings into anchors and items as the batches come.
class SuggestWorkBuilder::ItemCollector : public FindingSink {
 public:
  // Without `attributes`, the dictionaries were read without them, and the
  // attributes' findings are passed over.
  ItemCollector(SuggestWork& work, bool attributes) : work_(work), attributes_(attributes) {
    for (size_t i = 0; i < work.input.target.size(); ++i) {
      target_by_key_.try_emplace(work.input.target[i].key.str(), i);
    }
    work.mapped_target.assign(work.input.source.size(), -1);
    work.class_row_line.assign(work.input.source.size(), 0);
  }

  void Accept(const ClassFindings& batch) override {
    size_t source = next_++;
    if (source >= work_.input.source.size() || work_.input.source[source].key != batch.key) return;
    const Finding* item = nullptr;
    for (const Finding& finding : batch.findings) {
      if (finding.subject != FindingSubject::kClass) continue;
      if (finding.kind == FindingKind::kValid && finding.target) {
        Anchor(source, finding.target->key);
        if (finding.row) work_.class_row_line[source] = finding.row->line;
      } else if (item == nullptr &&
                 (finding.kind == FindingKind::kNotInMappingTable ||
                  finding.kind == FindingKind::kBadlyMapped || IsTargetMissing(finding.kind))) {
        item = &finding;
      }
    }
    if (item != nullptr) {
      AddClassItem(source, *item);
    } else if (attributes_ && work_.mapped_target[source] >= 0) {
      for (const Finding& finding : batch.findings) {
        if (finding.subject == FindingSubject::kAttribute) AttributeOfMappedClass(source, finding);
      }
    }
  }

 private:
  static std::string_view ReasonOf(FindingKind kind) {
    if (kind == FindingKind::kNotInMappingTable) return "not_in_mapping_table";
    if (kind == FindingKind::kBadlyMapped) return "badly_mapped";
    if (kind == FindingKind::kNoRow) return "no_row";
    return "target_missing";
  }

  long TargetIndex(const std::string& key) const {
    auto it = target_by_key_.find(key);
    return it == target_by_key_.end() ? -1 : static_cast<long>(it->second);
  }

  void Anchor(size_t source, const std::string& target_key) {
    long target = TargetIndex(target_key);
    if (target < 0) return;
    work_.mapped_target[source] = target;
    work_.input.class_anchors.push_back({source, static_cast<size_t>(target)});
  }

  const TableRowRef* KeepRow(const Finding& finding) {
    return finding.row ? &work_.rows.emplace_back(*finding.row) : nullptr;
  }

  std::string_view RowField(const Finding& finding, MappingColumn column) {
    if (!finding.row) return {};
    ParsedLine line = ParseLine(pool_.emplace_back(finding.row->text), pool_);
    return line.Plain(column);
  }

  void AddClassItem(size_t source, const Finding& finding) {
    std::string_view reason = ReasonOf(finding.kind);
    work_.input.class_items.push_back(source);
    work_.input.class_item_rows.emplace_back(IsTargetMissing(finding.kind)
                                                 ? RowField(finding, MappingColumn::kTargetClass)
                                                 : std::string_view());
    work_.class_context.push_back({reason, KeepRow(finding)});
    const auto& attributes = work_.input.source[source].attributes;
    for (size_t i = 0; i < attributes.size(); ++i) {
      work_.input.attribute_items.push_back({source, i});
      work_.attribute_context.push_back({reason, nullptr});
    }
    pool_.clear();
  }

  // The source attribute a finding names; -1 when the class has none by
  // that name.
  long SourceAttribute(size_t source, std::string_view label) const {
    const auto& attributes = work_.input.source[source].attributes;
    for (size_t i = 0; i < attributes.size(); ++i) {
      if (attributes[i].label == label) return static_cast<long>(i);
    }
    for (size_t i = 0; i < attributes.size(); ++i) {
      if (FieldMatches(attributes[i].label, label)) return static_cast<long>(i);
    }
    return -1;
  }

  void AttributeOfMappedClass(size_t source, const Finding& finding) {
    if (finding.kind == FindingKind::kValid) {
      AnchorAttribute(source, finding);
    } else if (finding.kind == FindingKind::kBadlyMapped ||
               finding.kind == FindingKind::kNotFoundInTarget ||
               finding.kind == FindingKind::kDroppedRow || finding.kind == FindingKind::kNoRow) {
      long attribute = SourceAttribute(source, finding.label);
      if (attribute < 0) return;
      work_.input.attribute_items.push_back({source, static_cast<size_t>(attribute)});
      work_.attribute_context.push_back({ReasonOf(finding.kind), KeepRow(finding)});
    }
  }

  // A valid attribute is named by its target; its row names the source.
  // Only the class's own rows into its own target (or an ancestor of it)
  // teach the matcher: the lookup may also take a row of the next class's
  // block, or a row sending the attribute to some other class.
  void AnchorAttribute(size_t source, const Finding& finding) {
    if (!finding.target) return;
    const bool own_row =
        RowField(finding, MappingColumn::kSourceClass) == work_.source_rows[source].name;
    long attribute = SourceAttribute(source, RowField(finding, MappingColumn::kSourceAttribute));
    long target = TargetIndex(finding.target->target_class);
    pool_.clear();
    if (!own_row || attribute < 0 || target < 0) return;
    if (!InLineage(static_cast<size_t>(target), static_cast<size_t>(work_.mapped_target[source])))
      return;
    const auto& attributes = work_.input.target[static_cast<size_t>(target)].attributes;
    for (size_t i = 0; i < attributes.size(); ++i) {
      if (attributes[i].key != finding.key) continue;
      work_.input.attribute_anchors.push_back(
          {source, static_cast<size_t>(attribute), static_cast<size_t>(target), i});
      return;
    }
  }

  // Whether `ancestor` is the target class `of` or one of its ancestors.
  bool InLineage(size_t ancestor, size_t of) const {
    constexpr int kDeepest = 64;  // a loop in the parents ends here
    long at = static_cast<long>(of);
    for (int step = 0; step < kDeepest && at >= 0; ++step) {
      if (static_cast<size_t>(at) == ancestor) return true;
      at = TargetIndex(work_.input.target[static_cast<size_t>(at)].parent_key.str());
    }
    return false;
  }

  SuggestWork& work_;
  const bool attributes_;
  size_t next_ = 0;
  std::unordered_map<std::string, size_t> target_by_key_;
  std::deque<std::string> pool_;
};

SuggestWorkBuilder::SuggestWorkBuilder(const PassProfile& profile, SuggestWork& work,
                                       bool attributes)
    : profile_(profile), work_(work), attributes_(attributes) {}

SuggestWorkBuilder::~SuggestWorkBuilder() = default;

void SuggestWorkBuilder::ReadDictionaries(MigrationXMLNode* source, MigrationXMLNode* target) {
  ReadSource(profile_, source, work_, attributes_);
  ReadTarget(profile_, target, work_, attributes_);
  collector_ = std::make_unique<ItemCollector>(work_, attributes_);
}

void SuggestWorkBuilder::Accept(const ClassFindings& batch) {
  if (collector_) collector_->Accept(batch);
}

void SuggestWorkBuilder::Finish() {
  // The item lists grew one by one; the matcher's peak comes after them.
  work_.input.attribute_items.shrink_to_fit();
  work_.attribute_context.shrink_to_fit();
}
