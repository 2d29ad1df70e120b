#include "driver/run_sequence.h"

#include <fstream>
#include <string>

#include "compare/class_loop.h"
#include "compare/comparison_state.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "dictionary/mapping_reader.h"
#include "output/ddl_writer.h"
#include "output/report_frame.h"
#include "output/report_renderer.h"
#include "platform/console.h"
#include "platform/utf8_files.h"

namespace {

struct DefinedOutputs {
  std::ofstream report;
  std::ofstream proposed_ddl;
  std::ofstream proposed_mapping;
};

// The three defined files, each written by its own renderer from the same
// findings.
class DefinedRenderers : public FindingSink {
 public:
  DefinedRenderers(DefinedOutputs& outputs, bool v5v5)
      : report(outputs.report, v5v5),
        ddl(outputs.proposed_ddl),
        mapping(outputs.proposed_mapping) {}

  void Accept(const ClassFindings& batch) override {
    report.Accept(batch);
    ddl.Accept(batch);
    mapping.Accept(batch);
  }

  ReportRenderer report;
  DdlRenderer ddl;
  ProposedMappingRenderer mapping;
};

void OpenOutputs(const RunSettings& settings, DefinedOutputs& outputs) {
  auto mode = std::ios::out | std::ios::binary | std::ios::trunc;
  outputs.proposed_mapping.open(PathFromUtf8(settings.proposed_mapping_path.ConvertToChar()), mode);
  outputs.report.open(PathFromUtf8(settings.report_path.ConvertToChar()), mode);
  outputs.proposed_ddl.open(PathFromUtf8(settings.proposed_ddl_path.ConvertToChar()), mode);
}

// The table as the run holds it: its bytes and one line end more.
ZORUnicodeString LoadMappingTable(const RunSettings& settings, const ComparisonState& state) {
  ZORUnicodeString table_text;
  if (ReadMappingTable(settings.mapping_table_path.ConvertToChar(), table_text)) {
    DevTrace(state, "Mapping table loaded.");
  }
  table_text.Append("\n");
  return table_text;
}

struct Documents {
  MigrationXMLNode* source = nullptr;
  MigrationXMLNode* target = nullptr;
};

Documents LoadDocuments(const RunSettings& settings, ComparisonState& state) {
  Documents documents;
  documents.source = MigrationXMLNode::CreateFromFile(settings.source_xml_path.ConvertToChar());
  DevTrace(state, "V4 XML loaded.");
  state.source_root = FirstNode(documents.source);
  documents.target = MigrationXMLNode::CreateFromFile(settings.target_xml_path.ConvertToChar());
  DevTrace(state, "V5 XML loaded.");
  state.target_root = FirstNode(documents.target);
  return documents;
}

std::string DecimalText(long value) { return ZORUnicodeString::BuildFromNum(value).str(); }

// The counter stays right-aligned in a field as wide as the total: each
// update steps back over as many characters as the new number has.
void StartProgress(long total_classes) {
  ConsoleWrite("Looking at class #:          ");
  ConsoleWrite(std::string(DecimalText(total_classes).size(), ' '));
}

void UpdateProgress(long class_number) {
  std::string number = DecimalText(class_number);
  ConsoleWrite(std::string(number.size(), '\b'));
  ConsoleWrite(number);
}

void RunClassLoop(ComparisonState& state, const ZORUnicodeString& table_text,
                  LookupStrategy strategy, FindingSink& sink) {
  PassState pass(state, table_text, strategy);
  long class_number = 0;
  CompareClasses(pass, sink, [&](const SourceClass& source) {
    UpdateProgress(++class_number);
    if (state.settings.dev_trace) {
      ConsoleWrite("Examining class: ");
      ConsoleLine(source.label);
    }
    ConsoleFlush();
  });
}

void PrintSummary(const RunSettings& settings) {
  ConsoleLine("");
  ConsoleLine("Task complete.");
  ConsoleWrite("Comparator results reported in ");
  ConsoleLine(settings.report_path);
  ConsoleWrite("New mapping saved in ");
  ConsoleLine(settings.proposed_mapping_path);
  ConsoleWrite("V5 XML DDL saved in ");
  ConsoleLine(settings.proposed_ddl_path);
}

}  // namespace

void RunComparison(const RunSettings& settings, LookupStrategy strategy) {
  DefinedOutputs outputs;
  OpenOutputs(settings, outputs);
  ComparisonState state;
  state.settings = {settings.v5v5_mode, settings.old_format, settings.dev_trace, false};
  state.trace_line = ConsoleLine;
  ConsoleLine("Examining input files (may take a few minutes)...");
  const ZORUnicodeString table_text = LoadMappingTable(settings, state);
  ReportFrame frame{settings.source_xml_path, settings.v5v5_mode, settings.old_format};
  WriteReportHead(outputs.report, frame);
  Documents documents = LoadDocuments(settings, state);
  WritePackageHead(outputs.proposed_ddl, GetValueByTagName(state.source_root, "Name"),
                   GetValueByTagName(state.target_root, "Domain"));
  state.totals.total_classes = WriteTableOfContents(outputs.report, frame, state.source_root);
  DevTrace(state, "Wrote HTML TOC.");
  ConsoleWrite("Total V4 classes to examine: ");
  ConsoleLine(DecimalText(state.totals.total_classes));
  StartProgress(state.totals.total_classes);
  ConsoleFlush();

  DefinedRenderers renderers(outputs, settings.v5v5_mode);
  RunClassLoop(state, table_text, strategy, renderers);

  WriteReportEnd(outputs.report, frame, state.totals, renderers.report.UnmappedClassesHtml());
  outputs.report.close();
  WritePackageEnd(outputs.proposed_ddl);
  outputs.proposed_ddl.close();
  if (documents.source) documents.source->Release();
  PrintSummary(settings);
  outputs.proposed_mapping.close();
  // The target document is kept to the very end of the run.
  if (documents.target) documents.target->Release();
}
