#include "text/zor_system.h"

#include <unistd.h>

#include <cstdlib>
#include <map>

namespace {

// Function-local so that registrations from other translation units find
// it constructed whatever the order of static initialisation.
std::map<std::string, ZORFactory>& Dictionary() {
  static std::map<std::string, ZORFactory> dictionary;
  return dictionary;
}

}  // namespace

std::string ZORGetEnv(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

int ZORFileAccess(const char* path, int mode) {
  return access(path, mode == 0 ? F_OK : mode) == 0 ? 0 : -1;
}

ZORFillDictionary::ZORFillDictionary(const char* class_name, ZORFactory factory) {
  Dictionary()[class_name] = factory;
}

ZORFactory ZORFindFactory(const char* class_name) {
  auto it = Dictionary().find(class_name);
  return it == Dictionary().end() ? nullptr : it->second;
}
