#include "platform/utf8_environment.h"

#ifdef _WIN32
#include <windows.h>

#include "platform/wide_text.h"
#else
#include <cstdlib>
#endif

std::string Utf8GetEnv(const char* name) {
#ifdef _WIN32
  const std::wstring wide_name = WideFromUtf8(name);
  std::wstring value(64, L'\0');
  for (;;) {
    // The size asked for includes the terminating null; the size returned on
    // success does not.
    const DWORD length =
        GetEnvironmentVariableW(wide_name.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) return std::string();
    if (length < value.size()) {
      value.resize(length);
      return Utf8FromWide(value);
    }
    value.resize(length);
  }
#else
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
#endif
}
