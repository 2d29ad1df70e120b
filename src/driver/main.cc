#include "driver/command_actions.h"
#include "driver/command_line.h"
#include "driver/run_sequence.h"
#include "platform/binary_console.h"
#include "platform/utf8_command_line.h"
#include "text/zor_system.h"

int main(int argc, char** argv) {
  UseBinaryConsole();
  Utf8CommandLine command_line(argc, argv);
  CommandLine line =
      ScanCommandLine(command_line.argc(), command_line.argv(), ZORGetEnv("ZODODEV_DIRECTORYPATH"));
  if (ActOnCommandLine(line)) RunComparison(line.settings);
  return 0;
}
