#include "driver/command_actions.h"

#include "convert/convert.h"
#include "platform/console.h"
#include "text/zor_system.h"

namespace {

// Tests one input; prints its "Could not open" line when it is missing.
bool InputExists(const char* what, const ZORUnicodeString& path) {
  if (ZORFileAccess(path.ConvertToChar(), 0) == 0) return true;
  ConsoleWrite(what);
  ConsoleWrite(": Could not open ");
  ConsoleWrite(path);
  ConsoleLine(". Check name and location of file.");
  return false;
}

// The inputs are checked whatever was asked for; only a comparison
// announces it.
bool CheckInputs(const CommandLine& line) {
  if (line.request == CommandRequest::kCompare) ConsoleLine("Checking input files...");
  const RunSettings& settings = line.settings;
  bool source = InputExists("V4 XML", settings.source_xml_path);
  bool target = InputExists("V5 XML", settings.target_xml_path);
  bool mapping = InputExists("Mapping table", settings.mapping_table_path);
  return source && target && mapping;
}

void Help() {
  for (const char* line : UsageLines()) ConsoleLine(line);
}

}  // namespace

bool ActOnCommandLine(const CommandLine& line) {
  for (const std::string& console_line : line.console_lines) ConsoleLine(console_line);
  switch (line.request) {
    case CommandRequest::kCompare:
      break;
    case CommandRequest::kUsage:
      Help();
      break;
    case CommandRequest::kConvert:
      Convert(line.convert_input, line.convert_output);
      break;
  }
  bool inputs_present = CheckInputs(line);
  const RunSettings& settings = line.settings;
  return line.request == CommandRequest::kCompare && settings.inputs_given &&
         settings.mapping_given && settings.output_given && inputs_present;
}
