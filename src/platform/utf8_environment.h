// Environment variables as UTF-8 text.
#ifndef ZOR_PLATFORM_UTF8_ENVIRONMENT_H_
#define ZOR_PLATFORM_UTF8_ENVIRONMENT_H_

#include <string>

// The variable's value; empty text when it is unset. On Windows it is read
// as UTF-16 from the process environment, whose narrow copy is in the ANSI
// code page and loses the characters that page lacks.
std::string Utf8GetEnv(const char* name);

#endif  // ZOR_PLATFORM_UTF8_ENVIRONMENT_H_
