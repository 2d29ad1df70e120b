// Arbitrary argument vectors for zorvez, one argument per NUL-separated
// piece, run with string streams in a scratch folder that holds a small
// mapping table "t" and a completed file "c" (restored before every input,
// so that merges really read and write). Paths are kept inside the folder:
// no argument holds a "/".
// Nothing may crash, and the exit status is always 0, 1 or 2.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/zorvez.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMostArguments = 24;

fs::path& ScratchFolder() {
  static fs::path folder;
  return folder;
}

void RemoveScratchFolder() {
  std::error_code ignored;
  fs::remove_all(ScratchFolder(), ignored);
}

// Empties the folder but for a fresh table and completed file.
void ResetFolder() {
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored)) {
    fs::remove_all(entry.path(), ignored);
  }
  std::ofstream(ScratchFolder() / "t")
      << "Pump,Equipment,*,CP,RE,*,EQT,\nStrainer,Pipe Fitting,*,,,*,\n";
  std::ofstream(ScratchFolder() / "c")
      << "Strainer,Pipe Fitting,*,YS,PF,*,PIP,\n"
         "Pump,Equipment,Speed,CP,RE,Speed,\nPump,Equipment,*,,,*,\n";
}

std::vector<std::string> Arguments(const uint8_t* data, size_t size) {
  std::vector<std::string> arguments(1);
  for (size_t i = 0; i < size && arguments.size() <= kMostArguments; ++i) {
    char c = static_cast<char>(data[i]);
    if (c == '\0') {
      arguments.emplace_back();
    } else {
      arguments.back() += c == '/' ? '_' : c;
    }
  }
  return arguments;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  char pattern[] = "/tmp/zor-options-fuzzer-XXXXXX";
  if (mkdtemp(pattern) == nullptr) std::abort();
  ScratchFolder() = pattern;
  std::atexit(RemoveScratchFolder);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ResetFolder();
  std::ostringstream out, err;
  CliStreams io{out, err};
  // The fuzzer reads and writes its corpus relative to its own folder, so
  // the scratch folder is the working folder only during the call.
  const fs::path fuzzer_folder = fs::current_path();
  fs::current_path(ScratchFolder());
  int status = RunZorvez(Arguments(data, size), io);
  fs::current_path(fuzzer_folder);
  if (status < 0 || status > 2) {
    std::fprintf(stderr, "options_fuzzer: exit status %d\n", status);
    std::abort();
  }
  return 0;
}
