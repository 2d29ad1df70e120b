// Opens a web address in the desktop's browser: with xdg-open where it
// exists, as the shell's `start` does on Windows. Nothing is waited for.
#ifndef ZOR_PLATFORM_DESKTOP_BROWSER_H_
#define ZOR_PLATFORM_DESKTOP_BROWSER_H_

#include <string>

// False when there is no way to open one (no xdg-open, no desktop).
bool OpenInDesktopBrowser(const std::string& url);

#endif  // ZOR_PLATFORM_DESKTOP_BROWSER_H_
