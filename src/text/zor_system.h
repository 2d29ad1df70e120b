// Environment, file tests and the framework's class dictionary.
#ifndef ZOR_TEXT_ZOR_SYSTEM_H_
#define ZOR_TEXT_ZOR_SYSTEM_H_

#include <string>

// The variable's value; empty text when it is unset.
std::string ZORGetEnv(const char* name);

// 0 when something exists at `path` (a file or a directory), -1 otherwise.
// Mode 0 asks for existence only.
int ZORFileAccess(const char* path, int mode);

// The framework's dictionary of creatable classes, filled by static
// registrations before main runs.
using ZORFactory = void* (*)();

class ZORFillDictionary {
 public:
  ZORFillDictionary(const char* class_name, ZORFactory factory);
};

// The factory registered under `class_name`, or null.
ZORFactory ZORFindFactory(const char* class_name);

#endif  // ZOR_TEXT_ZOR_SYSTEM_H_
