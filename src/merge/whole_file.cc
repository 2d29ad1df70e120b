#include "merge/whole_file.h"

#include <algorithm>
#include <cerrno>

#include "platform/file_descriptors.h"
#include "platform/file_problem.h"

namespace {

std::string Failure(const std::string& path, int error) { return FileProblem(path, error); }

}  // namespace

std::string ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  size_t expected = 0;
  int fd = OpenForReading(path, expected);
  if (fd < 0) return Failure(path, errno);
  // Read straight into the text, with room for one more byte: a table gets
  // the line end the run appends.
  content.reserve(expected + 1);
  for (size_t used = 0;;) {
    // The byte past the expected size only finds the end of the file.
    if (used == content.size()) content.resize(std::max(expected + 1, 2 * used + (1 << 16)));
    long long got = ReadSome(fd, content.data() + used, content.size() - used);
    if (got < 0) {
      int error = errno;
      CloseFile(fd);
      content.clear();
      return Failure(path, error);
    }
    if (got == 0) {
      content.resize(used);
      break;
    }
    used += static_cast<size_t>(got);
  }
  CloseFile(fd);
  return "";
}
