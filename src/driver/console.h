// Standard output, written as bytes.
#ifndef ZOR_DRIVER_CONSOLE_H_
#define ZOR_DRIVER_CONSOLE_H_

#include <string_view>

void ConsoleWrite(std::string_view text);
// Writes `text` and an end of line.
void ConsoleLine(std::string_view text);
void ConsoleFlush();

#endif  // ZOR_DRIVER_CONSOLE_H_
