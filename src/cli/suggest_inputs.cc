#include "cli/suggest_inputs.h"

namespace {

// Hands every class's findings to the builder and to another sink.
class BothSinks : public FindingSink {
 public:
  BothSinks(FindingSink& first, FindingSink& second) : first_(first), second_(second) {}
  void Accept(const ClassFindings& batch) override {
    first_.Accept(batch);
    second_.Accept(batch);
  }

 private:
  FindingSink& first_;
  FindingSink& second_;
};

class Nowhere : public FindingSink {
  void Accept(const ClassFindings&) override {}
};

}  // namespace

int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work) {
  Nowhere nowhere;
  ComparisonTotals totals;
  return CollectSuggestWork(options, io, work, nowhere, totals);
}

int CollectSuggestWork(const FindingRunOptions& options, CliStreams& io, SuggestWork& work,
                       FindingSink& alongside, ComparisonTotals& totals) {
  SuggestWorkBuilder builder(ProfileFor(options.v5v5, options.old_format), work);
  BothSinks both(builder, alongside);
  const int status = RunFindings(options, io, both, totals,
                                 [&](MigrationXMLNode* source, MigrationXMLNode* target) {
                                   builder.ReadDictionaries(source, target);
                                 });
  builder.Finish();
  return status;
}
