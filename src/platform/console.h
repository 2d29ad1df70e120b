// Standard output, written as bytes: the console of the defined tool. On
// Windows, UseBinaryConsole (binary_console.h) keeps the bytes as they are.
#ifndef ZOR_PLATFORM_CONSOLE_H_
#define ZOR_PLATFORM_CONSOLE_H_

#include <string_view>

void ConsoleWrite(std::string_view text);
// Writes `text` and an end of line.
void ConsoleLine(std::string_view text);
void ConsoleFlush();

#endif  // ZOR_PLATFORM_CONSOLE_H_
