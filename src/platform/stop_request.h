// Ctrl-C asks a server to stop: the signal handler (or, on Windows, the
// console's control handler) only notes it, and the server looks.
#ifndef ZOR_PLATFORM_STOP_REQUEST_H_
#define ZOR_PLATFORM_STOP_REQUEST_H_

// Catches Ctrl-C and the requests to terminate; once per process.
void CatchStopRequests();
bool StopRequested();

#endif  // ZOR_PLATFORM_STOP_REQUEST_H_
