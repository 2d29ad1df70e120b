#include "platform/file_problem.h"

#include <cctype>

namespace {

struct CauseWords {
  std::errc cause;
  const char* words;
};

// Causes a user meets with ordinary paths, in the words of the manual pages.
constexpr CauseWords kCauses[] = {
    {std::errc::no_such_file_or_directory, "no such file"},
    {std::errc::is_a_directory, "is a directory, not a file"},
    {std::errc::not_a_directory, "a part of the path is not a directory"},
    {std::errc::permission_denied, "permission denied"},
    {std::errc::operation_not_permitted, "permission denied"},
    {std::errc::read_only_file_system, "read-only file system"},
    {std::errc::no_space_on_device, "no space left on the device"},
    {std::errc::filename_too_long, "name too long"},
};

}  // namespace

std::string FileProblemReason(std::error_code error) {
  for (const CauseWords& known : kCauses) {
    if (error == known.cause) return known.words;
  }
  std::string words = error.message();
  if (!words.empty())
    words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
  return words.empty() ? "cannot be used" : words;
}

std::string FileProblemReason(int error_number) {
  return FileProblemReason(std::error_code(error_number, std::generic_category()));
}

std::string TooLarge(unsigned long long limit) {
  constexpr unsigned long long kMiB = 1 << 20;
  return "larger than " + (limit % kMiB == 0 ? std::to_string(limit / kMiB) + " MiB"
                                             : std::to_string(limit) + " bytes");
}

std::string FileProblem(std::string_view path, std::string_view reason) {
  std::string text = path.empty() ? std::string("''") : std::string(path);
  text += ": ";
  text += reason;
  return text;
}

std::string FileProblem(std::string_view path, int error_number) {
  return FileProblem(path, FileProblemReason(error_number));
}

std::string FileProblem(std::string_view path, std::string_view action, int error_number) {
  return FileProblem(path,
                     "cannot " + std::string(action) + ": " + FileProblemReason(error_number));
}
