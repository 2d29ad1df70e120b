#include <iostream>
#include <string>
#include <vector>

#include "cli/zorvez.h"
#include "platform/binary_console.h"
#include "platform/utf8_command_line.h"

int main(int argc, char** argv) {
  // Output is written through the C++ streams alone.
  std::ios::sync_with_stdio(false);
  UseBinaryConsole();
  Utf8CommandLine command_line(argc, argv);
  std::vector<std::string> arguments(command_line.argv() + 1,
                                     command_line.argv() + command_line.argc());
  CliStreams io = ProcessStreams();
  int status = RunZorvez(arguments, io);
  io.out.flush();
  return io.out.good() ? status : kExitTrouble;
}
