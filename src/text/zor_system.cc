#include "text/zor_system.h"

#include <map>

#include "platform/utf8_environment.h"
#include "platform/utf8_files.h"

namespace {

// Function-local so that registrations from other translation units find
// it constructed whatever the order of static initialisation.
std::map<std::string, ZORFactory>& Dictionary() {
  static std::map<std::string, ZORFactory> dictionary;
  return dictionary;
}

}  // namespace

std::string ZORGetEnv(const char* name) { return Utf8GetEnv(name); }

int ZORFileAccess(const char* path, int mode) { return AccessUtf8(path, mode); }

ZORFillDictionary::ZORFillDictionary(const char* class_name, ZORFactory factory) {
  Dictionary()[class_name] = factory;
}

ZORFactory ZORFindFactory(const char* class_name) {
  auto it = Dictionary().find(class_name);
  return it == Dictionary().end() ? nullptr : it->second;
}
