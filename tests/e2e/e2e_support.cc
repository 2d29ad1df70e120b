#include "e2e_support.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace e2e {

ToolRun RunTool(const std::vector<std::string>& arguments, const std::optional<std::string>& root) {
  ToolRun run;
  ScratchDirectory scratch;
  const std::filesystem::path capture = scratch / "stdout";
  pid_t child = fork();
  if (child == 0) {
    int fd = open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    close(fd);
    if (root) {
      setenv("ZODODEV_DIRECTORYPATH", root->c_str(), 1);
    } else {
      unsetenv("ZODODEV_DIRECTORYPATH");
    }
    std::vector<char*> argv{const_cast<char*>(ZOR_TOOL_PATH)};
    for (const std::string& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(ZOR_TOOL_PATH, argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  run.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.peak_memory_mib = usage.ru_maxrss / 1024;
  run.output = ReadFile(capture);
  return run;
}

void MakeDictionaryFolders(const std::filesystem::path& root) {
  for (const char* folder :
       {"V4_Exported_XML", "V5_Exported_XML", "MappingTable", "DDL_Files", "Reports"}) {
    std::filesystem::create_directories(root / "Dictionary" / folder);
  }
}

std::string CompleteRunConsole(const std::string& root, long classes, const OutputNames& names,
                               const std::string& option_lines) {
  const std::string total = std::to_string(classes);
  std::string progress = "Looking at class #:          " + std::string(total.size(), ' ');
  for (long i = 1; i <= classes; ++i) {
    const std::string number = std::to_string(i);
    progress += std::string(number.size(), '\b') + number;
  }
  const std::string dictionary = root + "/Dictionary/";
  return "\nZODODEV_DIRECTORYPATH=" + root + "\n" + option_lines +
         "Checking input files...\nExamining input files (may take a few minutes)...\n"
         "Total V4 classes to examine: " +
         total + "\n" + progress + "\nTask complete.\n" + "Comparator results reported in " +
         dictionary + "Reports/" + names.report + "\n" + "New mapping saved in " + dictionary +
         "DDL_Files/" + names.mapping + "\n" + "V5 XML DDL saved in " + dictionary + "DDL_Files/" +
         names.ddl + "\n";
}

}  // namespace e2e
