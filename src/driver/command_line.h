// The command line read into what it asks for: the environment, the path
// convention, the default locations and the option scan. The scan only
// records; it prints nothing and acts on nothing. What it owes the console
// and what it asks for are done afterwards, in order, by
// driver/command_actions.h.
#ifndef ZOR_DRIVER_COMMAND_LINE_H_
#define ZOR_DRIVER_COMMAND_LINE_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "driver/run_settings.h"
#include "text/zor_string.h"

// What follows the scan: a comparison when the inputs allow it, or, when -h
// or -c ended the scan, the usage screen or the conversion instead.
enum class CommandRequest { kCompare, kUsage, kConvert };

struct CommandLine {
  RunSettings settings;
  CommandRequest request = CommandRequest::kCompare;
  // -c's input and output names.
  ZORUnicodeString convert_input;
  ZORUnicodeString convert_output;
  // The console lines the scan owes, in the order they fall due, each
  // without its line end: the environment, the path convention, each switch
  // met, and the usage screen for each option that lacks its arguments.
  std::vector<std::string> console_lines;
};

// Scans the arguments; `directory_root` is the value of the environment
// variable ZODODEV_DIRECTORYPATH.
CommandLine ScanCommandLine(int argc, char** argv, std::string_view directory_root);

// The lines of the usage screen, without their line ends.
std::span<const char* const> UsageLines();

#endif  // ZOR_DRIVER_COMMAND_LINE_H_
