#include "driver/console.h"

#include <cstdio>

void ConsoleWrite(std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void ConsoleLine(std::string_view text) {
  ConsoleWrite(text);
  std::fputc('\n', stdout);
}

void ConsoleFlush() {
  std::fflush(stdout);
}
