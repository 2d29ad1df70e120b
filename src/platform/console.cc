#include "platform/console.h"

#include <cstdio>

void ConsoleWrite(std::string_view text) {
  if (text.empty()) return;  // an empty view may have no data pointer at all
  std::fwrite(text.data(), 1, text.size(), stdout);
}

void ConsoleLine(std::string_view text) {
  ConsoleWrite(text);
  std::fputc('\n', stdout);
}

void ConsoleFlush() { std::fflush(stdout); }
