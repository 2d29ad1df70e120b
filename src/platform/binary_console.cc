#include "platform/binary_console.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

UINT g_original_output_code_page = 0;

void RestoreOutputCodePage() { SetConsoleOutputCP(g_original_output_code_page); }

}  // namespace
#endif

void UseBinaryConsole() {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  const UINT code_page = GetConsoleOutputCP();  // 0 when there is no console
  if (code_page != 0 && code_page != CP_UTF8 && SetConsoleOutputCP(CP_UTF8)) {
    g_original_output_code_page = code_page;
    std::atexit(RestoreOutputCodePage);
  }
#endif
}
