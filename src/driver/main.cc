#include "driver/command_line.h"
#include "driver/run_sequence.h"

int main(int argc, char** argv) {
  RunSettings settings;
  if (SettleCommandLine(argc, argv, settings)) RunComparison(settings);
  return 0;
}
