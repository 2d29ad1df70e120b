#include "suggestion_run/suggestion_run.h"

#include "suggest/suggest_engine.h"

namespace {

// Hands every class's findings to the item builder and, where asked, to
// the command's own sink.
class BothSinks : public FindingSink {
 public:
  BothSinks(FindingSink& first, FindingSink* second) : first_(first), second_(second) {}
  void Accept(const ClassFindings& batch) override {
    first_.Accept(batch);
    if (second_ != nullptr) second_->Accept(batch);
  }

 private:
  FindingSink& first_;
  FindingSink* second_;
};

// The items that need a target, from one comparison.
int CollectItems(const SuggestionRequest& request, const TableInput& table, CliStreams& io,
                 SuggestWork& work, FindingSink* alongside, ComparisonTotals& totals) {
  const FindingRunOptions& inputs = request.inputs;
  SuggestWorkBuilder builder(ProfileFor(inputs.v5v5, inputs.old_format), work);
  BothSinks both(builder, alongside);
  const int status = RunFindings(inputs, table, io, both, totals,
                                 [&](MigrationXMLNode* source, MigrationXMLNode* target) {
                                   builder.ReadDictionaries(source, target);
                                 });
  builder.Finish();
  return status;
}

}  // namespace

int RunSuggestions(const SuggestionRequest& request, CliStreams& io, SuggestionRun& run,
                   FindingSink* alongside, ComparisonTotals* totals) {
  TableInput table = ReadTableInput(request.inputs.mapping_path);
  ComparisonTotals own_totals;
  if (CollectItems(request, table, io, run.work, alongside, totals ? *totals : own_totals) !=
      kExitClean) {
    return kExitTrouble;
  }
  run.output = Suggest(run.work.input, request.matcher);
  if (run.output.classes.size() != run.work.class_context.size() ||
      run.output.attributes.size() != run.work.attribute_context.size()) {
    ReportError(io, "suggest: the matcher answered for other items than asked; please report it");
    return kExitTrouble;
  }
  // The rows are planned through a merge into the table as it stands, and
  // take their domains from the table's own rows.
  run.rows = PlanRows(run.work, run.output, std::move(table.read.bytes), table.path);
  return kExitClean;
}
