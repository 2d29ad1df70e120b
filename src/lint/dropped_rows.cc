#include "lint/dropped_rows.h"

#include <optional>
#include <string>
#include <utility>

#include "compare/class_loop.h"
#include "compare/comparison_state.h"
#include "compare/pass_state.h"
#include "dictionary/mapping_reader.h"
#include "text/quoted_value.h"

namespace {

std::string DroppedMessage(const ClassFindings& batch, const Finding& finding,
                           const std::optional<TargetRef>& class_target) {
  const TargetRef named = finding.target.value_or(TargetRef{});
  std::string message = "the row maps " + Quoted(finding.label) + " of " + Quoted(batch.label) +
                        " to " + Quoted(named.key) + " of " + Quoted(named.target_class) +
                        ", but the run looks for it only in ";
  if (finding.detail.empty()) {
    message += "a target class whose parent is " + Quoted(named.parent) + ", and there is none";
  } else {
    message += Quoted(finding.detail) + ", the first target class whose parent is " +
               Quoted(named.parent) + ", which lacks it";
  }
  message += ": the run drops the row and reports nothing";
  if (class_target) {
    message += "; a row naming the class row's target " + Quoted(class_target->key) +
               " (or its parent " + Quoted(class_target->parent) + ") is compared";
  }
  return message;
}

// Turns the comparison's dropped_row findings into hazards on their rows.
class DroppedRowSink : public FindingSink {
 public:
  DroppedRowSink(Hazards& hazards, const BatchHazards& more) : hazards_(hazards), more_(more) {}

  void Accept(const ClassFindings& batch) override {
    if (more_) more_(batch, hazards_);
    std::optional<TargetRef> class_target;
    for (const Finding& finding : batch.findings) {
      if (finding.subject == FindingSubject::kClass && finding.kind == FindingKind::kValid) {
        class_target = finding.target;
      }
      if (finding.kind != FindingKind::kDroppedRow || !finding.row) continue;
      hazards_.push_back({HazardCode::kDroppedRow, HazardSeverity::kWarning, finding.row->line, 1,
                          DroppedMessage(batch, finding, class_target), ""});
    }
  }

 private:
  Hazards& hazards_;
  const BatchHazards& more_;
};

}  // namespace

void ScanDroppedRows(const PassProfile& profile, MigrationXMLNode* source_root,
                     MigrationXMLNode* target_root, std::string& table_text, Hazards& hazards,
                     const BatchHazards& more) {
  if (source_root == nullptr || target_root == nullptr) return;
  ComparisonState state;
  state.settings = {profile.v5v5, profile.old_format, false, true};
  const bool lent =
      table_text.find('\0') == std::string::npos && table_text.capacity() > table_text.size();
  ZORUnicodeString run_text =
      lent ? ZORUnicodeString(std::move(table_text)) : RunTableText(table_text);
  if (lent) run_text.Append("\n");  // within the capacity: the buffer stays
  state.source_root = source_root;
  state.target_root = target_root;
  {
    PassState pass(state, run_text, LookupStrategy::kIndexed);
    DroppedRowSink sink(hazards, more);
    CompareClasses(pass, sink, nullptr);
  }
  if (lent) {
    table_text = std::move(run_text.str());
    table_text.pop_back();
  }
}
