#include "platform/utf8_command_line.h"

#ifdef _WIN32
#include <windows.h>
// shellapi.h needs the declarations of windows.h first.
#include <shellapi.h>

#include "platform/wide_text.h"
#endif

namespace {

#ifdef _WIN32
// The arguments as the system parsed them; the narrow ones when it cannot.
std::vector<std::string> WideArguments(int argc, char** argv) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv, argv + argc);
  for (int i = 0; i < count; ++i) arguments.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return arguments;
}
#endif

}  // namespace

Utf8CommandLine::Utf8CommandLine(int argc, char** argv) {
#ifdef _WIN32
  arguments_ = WideArguments(argc, argv);
  for (std::string& argument : arguments_) pointers_.push_back(argument.data());
#else
  pointers_.assign(argv, argv + argc);
#endif
  pointers_.push_back(nullptr);
}
