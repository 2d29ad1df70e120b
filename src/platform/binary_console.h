// Standard output and error written byte for byte.
#ifndef ZOR_PLATFORM_BINARY_CONSOLE_H_
#define ZOR_PLATFORM_BINARY_CONSOLE_H_

// On Windows the C runtime opens the standard streams in text mode, which
// writes every "\n" as "\r\n"; this switches them to binary so the console
// bytes are those of every other system. A console window is also told to
// show the bytes as UTF-8, the encoding of the paths the tool prints, until
// the program ends. Does nothing elsewhere.
void UseBinaryConsole();

#endif  // ZOR_PLATFORM_BINARY_CONSOLE_H_
