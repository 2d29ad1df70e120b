// The folder of the running executable, for files shipped beside it (the
// Windows zip carries WordNet's database in a folder next to zorvez.exe).
#ifndef ZOR_PLATFORM_EXECUTABLE_FOLDER_H_
#define ZOR_PLATFORM_EXECUTABLE_FOLDER_H_

#include <string>

// The folder as a UTF-8 path without a trailing separator; empty when the
// system does not say where the executable is.
std::string ExecutableFolder();

#endif  // ZOR_PLATFORM_EXECUTABLE_FOLDER_H_
