// The shared state of one comparison run.
#ifndef ZOR_DRIVER_RUN_CONTEXT_H_
#define ZOR_DRIVER_RUN_CONTEXT_H_

#include <fstream>
#include <initializer_list>
#include <string_view>

#include "dictionary/migration_xml.h"
#include "driver/run_settings.h"
#include "text/zor_string.h"

struct RunContext {
  explicit RunContext(const RunSettings& run_settings) : settings(run_settings) {}

  const RunSettings& settings;
  std::ofstream reportStream;
  std::ofstream proposedDdlStream;
  std::ofstream proposedMappingStream;
  ZORUnicodeString mappingText;
  long mappingPosition = 0;
  ZORUnicodeString currentLine;
  MigrationXMLNode* sourceDocument = nullptr;
  MigrationXMLNode* targetDocument = nullptr;
  MigrationXMLNode* sourceRoot = nullptr;
  MigrationXMLNode* targetRoot = nullptr;
  ZORUnicodeString ddlText;
  long totalClasses = 0;
  long classNumber = 0;
  long newClassesSuggested = 0;
  long unmappedRequested = 0;
  ZORUnicodeString unmappedClassesHtml;
};

// A dev trace line: printed only when the dev trace is on. The pieces form
// one line and are not even joined when it is off.
void DevTrace(const RunContext& context, std::string_view line);
void DevTrace(const RunContext& context, std::initializer_list<std::string_view> pieces);

#endif  // ZOR_DRIVER_RUN_CONTEXT_H_
