#include "platform/cli_streams.h"

#include <cstdlib>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define ZOR_ISATTY _isatty
#else
#include <unistd.h>
#define ZOR_ISATTY isatty
#endif

namespace {

bool NoColourRequested() {
  const char* value = std::getenv("NO_COLOR");
  return value != nullptr && value[0] != '\0';
}

}  // namespace

CliStreams ProcessStreams() {
  CliStreams io{std::cout, std::cerr};
  io.colour_out = ZOR_ISATTY(1) != 0 && !NoColourRequested();
  io.progress_on_err = ZOR_ISATTY(2) != 0;
  return io;
}

void ReportError(CliStreams& io, std::string_view message) {
  io.err << "zorvez: " << message << '\n';
  io.err.flush();
}
