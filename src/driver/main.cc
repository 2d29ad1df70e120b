#include "driver/command_line.h"
#include "driver/run_sequence.h"
#include "platform/binary_console.h"
#include "platform/utf8_command_line.h"

int main(int argc, char** argv) {
  UseBinaryConsole();
  Utf8CommandLine command_line(argc, argv);
  RunSettings settings;
  if (SettleCommandLine(command_line.argc(), command_line.argv(), settings))
    RunComparison(settings);
  return 0;
}
