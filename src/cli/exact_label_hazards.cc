#include "cli/exact_label_hazards.h"

#include "suggest/burying_rows.h"
#include "suggestion_run/burying_row_notes.h"

ExactLabelHazards::ExactLabelHazards(const FindingRunOptions& run)
    : builder_(ProfileFor(run.v5v5, run.old_format), work_, false) {}

void ExactLabelHazards::ReadDictionaries(MigrationXMLNode* source, MigrationXMLNode* target) {
  builder_.ReadDictionaries(source, target);
}

void ExactLabelHazards::Accept(const ClassFindings& batch) { builder_.Accept(batch); }

Hazards ExactLabelHazards::Finish() {
  builder_.Finish();
  Hazards hazards;
  for (BuryingRowWords& words : DescribeBuryingRows(work_, FindBuryingRows(work_.input))) {
    Hazard hazard{};
    hazard.code = HazardCode::kExactLabelTaken;
    hazard.severity = HazardSeverity::kWarning;
    hazard.line = words.line;
    hazard.message = std::move(words.sentence);
    // The row's class and the class it buries name the hazard wherever
    // the row moves.
    hazard.names = {words.row_class, words.row_parent, "*", words.item};
    hazards.push_back(std::move(hazard));
  }
  return hazards;
}
