#include "driver/run_sequence.h"

#include <string>

#include "compare/class_examination.h"
#include "dictionary/dictionary_queries.h"
#include "dictionary/element_walk.h"
#include "driver/console.h"
#include "driver/mapping_reader.h"
#include "driver/run_context.h"
#include "output/ddl_writer.h"
#include "output/report_frame.h"
#include "platform/utf8_files.h"

namespace {

void OpenOutputs(RunContext& context) {
  const RunSettings& settings = context.settings;
  auto mode = std::ios::out | std::ios::binary | std::ios::trunc;
  context.proposedMappingStream.open(PathFromUtf8(settings.proposedMappingPath.ConvertToChar()),
                                     mode);
  context.reportStream.open(PathFromUtf8(settings.reportPath.ConvertToChar()), mode);
  context.proposedDdlStream.open(PathFromUtf8(settings.proposedDdlPath.ConvertToChar()), mode);
}

void LoadMappingTable(RunContext& context) {
  if (ReadMappingTable(context.settings.mappingTablePath.ConvertToChar(), context.mappingText)) {
    DevTrace(context, "Mapping table loaded.");
  }
  context.mappingText.Append("\n");
}

void LoadDocuments(RunContext& context) {
  const RunSettings& settings = context.settings;
  context.sourceDocument = MigrationXMLNode::CreateFromFile(settings.sourceXmlPath.ConvertToChar());
  DevTrace(context, "V4 XML loaded.");
  context.sourceRoot = FirstNode(context.sourceDocument);
  context.targetDocument = MigrationXMLNode::CreateFromFile(settings.targetXmlPath.ConvertToChar());
  DevTrace(context, "V5 XML loaded.");
  context.targetRoot = FirstNode(context.targetDocument);
}

std::string DecimalText(long value) { return ZORUnicodeString::BuildFromNum(value).str(); }

// The counter stays right-aligned in a field as wide as the total: each
// update steps back over as many characters as the new number has.
void StartProgress(const RunContext& context) {
  ConsoleWrite("Looking at class #:          ");
  ConsoleWrite(std::string(DecimalText(context.totalClasses).size(), ' '));
}

void UpdateProgress(const RunContext& context) {
  std::string number = DecimalText(context.classNumber);
  ConsoleWrite(std::string(number.size(), '\b'));
  ConsoleWrite(number);
}

void RunClassLoop(RunContext& context, LookupStrategy strategy) {
  PassState pass(context, strategy);
  ForEachElement(context.sourceRoot, "Class", [&](MigrationXMLNode* class_node) {
    SourceClass source = ReadSourceClass(pass.profile, class_node);
    context.classNumber += 1;
    UpdateProgress(context);
    if (context.settings.devTrace) {
      ConsoleWrite("Examining class: ");
      ConsoleLine(source.label);
    }
    ConsoleFlush();
    ExamineClass(pass, source);
    return true;
  });
}

void PrintSummary(const RunSettings& settings) {
  ConsoleLine("");
  ConsoleLine("Task complete.");
  ConsoleWrite("Comparator results reported in ");
  ConsoleLine(settings.reportPath);
  ConsoleWrite("New mapping saved in ");
  ConsoleLine(settings.proposedMappingPath);
  ConsoleWrite("V5 XML DDL saved in ");
  ConsoleLine(settings.proposedDdlPath);
}

}  // namespace

void RunComparison(const RunSettings& settings, LookupStrategy strategy) {
  RunContext context(settings);
  OpenOutputs(context);
  ConsoleLine("Examining input files (may take a few minutes)...");
  LoadMappingTable(context);
  WriteReportHead(context);
  LoadDocuments(context);
  WritePackageHead(context, getValueByTagName(context.sourceRoot, "Name"),
                   getValueByTagName(context.targetRoot, "Domain"));
  WriteTableOfContents(context);
  DevTrace(context, "Wrote HTML TOC.");
  ConsoleWrite("Total V4 classes to examine: ");
  ConsoleLine(DecimalText(context.totalClasses));
  StartProgress(context);
  ConsoleFlush();

  RunClassLoop(context, strategy);

  WriteReportEnd(context);
  context.reportStream.close();
  WritePackageEnd(context);
  context.proposedDdlStream.close();
  if (context.sourceDocument) context.sourceDocument->Release();
  PrintSummary(settings);
  context.proposedMappingStream.close();
  // The target document is kept to the very end of the run.
  if (context.targetDocument) context.targetDocument->Release();
}
