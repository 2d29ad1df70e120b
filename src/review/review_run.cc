#include "review/review_run.h"

#include <algorithm>
#include <map>
#include <nlohmann/json.hpp>

#include "output/json_line.h"
#include "suggestion_run/decisions_file.h"

namespace {

// The class findings per verdict, as `check` counts them, while the
// suggestions' items are collected from the same comparison.
class CountingSink : public FindingSink {
 public:
  explicit CountingSink(FindingCounts& counts) : counts_(counts) {}
  void Accept(const ClassFindings& batch) override {
    ++counts_.classes;
    for (const Finding& finding : batch.findings) {
      const auto verdict = static_cast<size_t>(finding.verdict);
      if (finding.subject == FindingSubject::kClass) {
        ++counts_.by_verdict[verdict];
        if (finding.kind == FindingKind::kNotInMappingTable) ++counts_.not_in_table;
      } else if (finding.subject == FindingSubject::kAttribute) {
        ++counts_.attribute_by_verdict[verdict];
      }
    }
  }

 private:
  FindingCounts& counts_;
};

constexpr uint32_t kNotWritten = UINT32_MAX;

// A name for the review's decisions file in the place a page's hash of its
// suggestions goes: the decisions of one table's review.
std::string ReviewHash(std::string_view text) {
  uint64_t hash = TextStamp(text);
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex(16, '0');
  for (int i = 15; i >= 0; --i, hash >>= 4) hex[static_cast<size_t>(i)] = kDigits[hash & 15];
  return hex;
}

bool Carried(DecisionFate fate) {
  return fate == DecisionFate::kCarried || fate == DecisionFate::kOverruled;
}

}  // namespace

ReviewRun::~ReviewRun() = default;

uint64_t TextStamp(std::string_view text) {
  uint64_t hash = 0xcbf29ce484222325ULL;
  for (unsigned char c : text) hash = (hash ^ c) * 0x100000001b3ULL;
  return hash ^ text.size();
}

std::unique_ptr<ReviewRun> ReviewRun::Load(const SuggestionRequest& request, CliStreams& io,
                                           const DecisionsFile* decisions) {
  std::unique_ptr<ReviewRun> review(new ReviewRun());
  CountingSink counting(review->counts_);
  std::string table_text;
  if (PrepareSuggestions(request, io, review->run_, table_text, &counting) != kExitClean)
    return nullptr;
  SuggestionRun& run = review->run_;
  if (decisions != nullptr) {
    run.decisions = *decisions;
    run.decided = JudgeDecisions(run.decisions, run.work);
  }
  review->table_stamp_ = TextStamp(table_text);
  review->source_path_ = request.inputs.source_path;
  review->session_ = std::make_unique<SuggestSession>(run.work.input, request.matcher);
  review->effects_ = std::make_unique<DecisionEffects>(*review->session_);
  review->planner_ =
      std::make_unique<RowPlanner>(run.work, std::move(table_text), request.inputs.mapping_path);
  review->IndexItems();
  review->LayDecisions();
  return review;
}

void ReviewRun::TakeDecisions(DecisionsFile file) {
  run_.decisions = std::move(file);
  run_.decided = JudgeDecisions(run_.decisions, run_.work);
  LayDecisions();
}

void ReviewRun::LayDecisions() {
  effects_->SetAll(run_.decided);
  run_.output = effects_->AllViews();
  run_.rows = planner_->Plan(run_.output);
  written_class_.assign(run_.output.classes.size(), kNotWritten);
  written_attribute_.assign(run_.output.attributes.size(), kNotWritten);
  for (size_t k = 0; k < run_.rows.written.size(); ++k) {
    auto& slot = run_.rows.written[k].is_class ? written_class_ : written_attribute_;
    slot[run_.rows.written[k].item] = static_cast<uint32_t>(k);
  }
}

void ReviewRun::IndexItems() {
  const SuggestInput& input = run_.work.input;
  for (size_t s = 0; s < input.source.size(); ++s)
    source_of_key_.emplace(input.source[s].key.view(), s);
  std::map<std::pair<std::string_view, std::string_view>, std::vector<size_t>> by_row;
  for (size_t s = 0; s < input.source.size(); ++s) {
    const RowNames& names = run_.work.source_rows[s];
    by_row[{names.name, names.parent}].push_back(s);
  }
  row_fellows_.resize(input.source.size());
  for (const auto& [names, sources] : by_row) {
    for (size_t s : sources) row_fellows_[s] = sources;
  }
}

std::optional<size_t> ReviewRun::SourceOfKey(std::string_view key) const {
  auto found = source_of_key_.find(key);
  if (found == source_of_key_.end()) return std::nullopt;
  return found->second;
}

std::optional<ItemRef> ReviewRun::FindItem(std::string_view class_key,
                                           const std::string* attribute_key,
                                           const std::string* attribute_label) const {
  const std::optional<size_t> source = SourceOfKey(class_key);
  if (!source) return std::nullopt;
  if (attribute_key == nullptr || attribute_label == nullptr) {
    const long item = effects_->ClassItemOf(*source);
    if (item < 0) return std::nullopt;
    return ItemRef{true, static_cast<size_t>(item)};
  }
  // The attribute a decisions file names so, as suggest reads the file.
  const int32_t attribute =
      AttributeNamed(run_.work.input.source[*source], *attribute_key, *attribute_label);
  for (size_t a : effects_->AttributeItemsOf(*source)) {
    if (static_cast<int32_t>(run_.work.input.attribute_items[a].source_attribute) == attribute)
      return ItemRef{false, a};
  }
  return std::nullopt;
}

bool ReviewRun::Nameable(const ItemRef& ref) const {
  const size_t source = SourceOf(ref);
  const SuggestClass& owner = run_.work.input.source[source];
  if (SourceOfKey(owner.key.view()) != source) return false;
  if (ref.is_class) return true;
  const std::string key =
      owner.attributes[run_.work.input.attribute_items[ref.item].source_attribute].key.str();
  const std::string label =
      owner.attributes[run_.work.input.attribute_items[ref.item].source_attribute].label.str();
  const std::optional<ItemRef> found = FindItem(owner.key.view(), &key, &label);
  return found && *found == ref;
}

size_t ReviewRun::SourceOf(const ItemRef& ref) const {
  return ref.is_class ? run_.output.classes[ref.item].source
                      : run_.output.attributes[ref.item].item.source_class;
}

const Decision& ReviewRun::DecisionOf(const ItemRef& ref) const {
  return ref.is_class ? effects_->OfClass(ref.item) : effects_->OfAttribute(ref.item);
}

long ReviewRun::PlacedTarget(size_t source) const {
  const long item = effects_->ClassItemOf(source);
  if (item >= 0) {
    const Decision& d = effects_->OfClass(static_cast<size_t>(item));
    if (d.decided()) return d.no_mapping ? -1 : static_cast<long>(d.target_class);
  }
  if (run_.work.mapped_target[source] >= 0) return run_.work.mapped_target[source];
  if (item >= 0) {
    const ClassSuggestion& view = run_.output.classes[static_cast<size_t>(item)];
    if (view.accepted && !view.candidates.empty())
      return static_cast<long>(view.candidates.front().target);
  }
  return -1;
}

std::string ReviewRun::WrittenRow(const ItemRef& ref) const {
  const uint32_t at = ref.is_class ? written_class_[ref.item] : written_attribute_[ref.item];
  if (at == kNotWritten) return "";
  return planner_->Text(run_.output, run_.rows.written[at]);
}

std::vector<size_t> ReviewRun::Decide(const std::vector<DecisionChange>& changes,
                                      std::vector<DecisionChange>* before) {
  std::vector<DecisionEffects::Change> laid;
  for (const DecisionChange& change : changes) {
    if (before != nullptr) before->push_back({change.item, DecisionOf(change.item)});
    laid.push_back({change.item.is_class, change.item.item, change.decision});
  }
  const ItemSet touched = effects_->Set(laid);
  std::vector<size_t> sources;
  for (size_t i : touched.classes) {
    run_.output.classes[i] = effects_->ClassView(i);
    sources.push_back(run_.output.classes[i].source);
  }
  for (size_t a : touched.attributes) {
    run_.output.attributes[a] = effects_->AttributeView(a);
    sources.push_back(run_.output.attributes[a].item.source_class);
  }
  std::vector<size_t> planned;
  for (size_t s : sources)
    planned.insert(planned.end(), row_fellows_[s].begin(), row_fellows_[s].end());
  std::sort(planned.begin(), planned.end());
  planned.erase(std::unique(planned.begin(), planned.end()), planned.end());
  PlanAgain(planned);
  return planned;
}

// The rows of these source classes' items planned again, in place of
// what the plan said of them.
void ReviewRun::PlanAgain(const std::vector<size_t>& sources) {
  if (sources.empty()) return;
  std::vector<bool> marks(run_.work.input.source.size(), false);
  for (size_t s : sources) marks[s] = true;
  RowPlan partial = planner_->PlanSome(run_.output, marks);
  RowPlan& rows = run_.rows;
  auto take = [&](const ItemRow& from) {
    ItemRow to = from;
    if (from.row != ItemRow::kNone) {
      rows.rows.push_back(std::move(partial.rows[from.row]));
      to.row = static_cast<uint32_t>(rows.rows.size() - 1);
    }
    if (from.note != ItemRow::kNone) {
      rows.notes.push_back(std::move(partial.notes[from.note]));
      to.note = static_cast<uint32_t>(rows.notes.size() - 1);
    }
    return to;
  };
  for (size_t s : sources) {
    const long item = effects_->ClassItemOf(s);
    if (item >= 0) {
      rows.classes[static_cast<size_t>(item)] = take(partial.classes[static_cast<size_t>(item)]);
      written_class_[static_cast<size_t>(item)] = kNotWritten;
    }
    for (size_t a : effects_->AttributeItemsOf(s)) {
      rows.attributes[a] = take(partial.attributes[a]);
      written_attribute_[a] = kNotWritten;
      const TableRowRef* row = partial.attribute_table_rows[a];
      rows.attribute_table_rows[a] = row ? &rows.table_rows.emplace_back(*row) : nullptr;
    }
  }
  for (const ProposedRow& proposed : partial.written) {
    rows.written.push_back(proposed);
    auto& slot = proposed.is_class ? written_class_ : written_attribute_;
    slot[proposed.item] = static_cast<uint32_t>(rows.written.size() - 1);
  }
}

DecisionEntry ReviewRun::EntryOf(const ItemRef& ref, const Decision& decision) const {
  const SuggestInput& input = run_.work.input;
  const size_t source = SourceOf(ref);
  DecisionEntry entry;
  entry.class_key = input.source[source].key.str();
  if (!ref.is_class) {
    const SuggestAttribute& attribute =
        input.source[source].attributes[input.attribute_items[ref.item].source_attribute];
    entry.for_attribute = true;
    entry.attribute_key = attribute.key.str();
    entry.attribute_label = attribute.label.str();
  }
  entry.no_mapping = decision.no_mapping;
  if (decision.no_mapping) return entry;
  const SuggestClass& target = input.target[decision.target_class];
  if (ref.is_class) {
    entry.target_key = target.key.str();
  } else {
    entry.target_class = target.key.str();
    entry.target_key = target.attributes[decision.target_attribute].key.str();
  }
  return entry;
}

size_t ReviewRun::DecisionCount() const {
  size_t count = 0;
  for (size_t i = 0; i < effects_->ClassItems(); ++i) count += effects_->OfClass(i).decided();
  for (size_t a = 0; a < effects_->AttributeItems(); ++a)
    count += effects_->OfAttribute(a).decided();
  return count;
}

namespace {

// One entry as the review page writes it, on a line of its own.
void AppendEntry(std::string& text, const DecisionEntry& entry) {
  text += text.ends_with('[') ? "\n" : ",\n";
  text += DecisionEntryJson(entry).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

}  // namespace

std::string ReviewRun::DecisionsFileText() const {
  std::string text;
  JsonLine head;
  head.Open().Key("format").String(kDecisionsFormat).Key("version").Number(1);
  head.Key("suggestions").String(ReviewHash(source_path_)).Key("source").String(source_path_);
  text = head.Text();  // the object left open: its decisions follow
  text += ",\"decisions\":[";
  for (const JudgedEntry& judged : run_.decided.judged) {
    if (!Carried(judged.fate)) AppendEntry(text, *judged.entry);
  }
  const SuggestInput& input = run_.work.input;
  for (size_t source = 0; source < input.source.size(); ++source) {
    const long item = effects_->ClassItemOf(source);
    if (item >= 0 && effects_->OfClass(static_cast<size_t>(item)).decided()) {
      const ItemRef ref{true, static_cast<size_t>(item)};
      AppendEntry(text, EntryOf(ref, DecisionOf(ref)));
    }
    for (size_t a : effects_->AttributeItemsOf(source)) {
      const ItemRef ref{false, a};
      if (DecisionOf(ref).decided()) AppendEntry(text, EntryOf(ref, DecisionOf(ref)));
    }
  }
  text += "\n]}\n";
  return text;
}
