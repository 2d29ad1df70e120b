#include <iostream>
#include <string>
#include <vector>

#include "cli/zorvez.h"

int main(int argc, char** argv) {
  // Output is written through the C++ streams alone.
  std::ios::sync_with_stdio(false);
  std::vector<std::string> arguments(argv + 1, argv + argc);
  CliStreams io = ProcessStreams();
  int status = RunZorvez(arguments, io);
  io.out.flush();
  return io.out.good() ? status : kExitTrouble;
}
