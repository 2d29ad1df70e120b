// The command-line arguments as UTF-8 text.
#ifndef ZOR_PLATFORM_UTF8_COMMAND_LINE_H_
#define ZOR_PLATFORM_UTF8_COMMAND_LINE_H_

#include <string>
#include <vector>

// On Windows the narrow argv that main receives is in the ANSI code page,
// which cannot hold every file name, so the arguments are read again from
// the system as UTF-16. Elsewhere argv is used exactly as it comes.
class Utf8CommandLine {
 public:
  Utf8CommandLine(int argc, char** argv);
  Utf8CommandLine(const Utf8CommandLine&) = delete;
  Utf8CommandLine& operator=(const Utf8CommandLine&) = delete;

  int argc() const { return static_cast<int>(pointers_.size()) - 1; }
  // Null-terminated, like main's argv; valid while this object lives.
  char** argv() { return pointers_.data(); }

 private:
  std::vector<std::string> arguments_;
  std::vector<char*> pointers_;
};

#endif  // ZOR_PLATFORM_UTF8_COMMAND_LINE_H_
