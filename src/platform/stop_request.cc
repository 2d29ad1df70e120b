#include "platform/stop_request.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#endif

namespace {

std::atomic<bool> stop_requested{false};

#ifdef _WIN32
BOOL WINAPI OnConsoleControl(DWORD) {
  stop_requested = true;
  return TRUE;
}
#else
void OnSignal(int) { stop_requested = true; }
#endif

}  // namespace

void CatchStopRequests() {
#ifdef _WIN32
  SetConsoleCtrlHandler(OnConsoleControl, TRUE);
#else
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  // A browser that drops its connection must not end the server.
  signal(SIGPIPE, SIG_IGN);
#endif
}

bool StopRequested() { return stop_requested; }
