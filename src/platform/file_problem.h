// The words zorvez uses for why a file cannot be used, one set for every
// subcommand, so that the same cause reads the same wherever it happens:
// "PATH: reason" or "PATH: cannot ACTION: reason".
#ifndef ZOR_PLATFORM_FILE_PROBLEM_H_
#define ZOR_PLATFORM_FILE_PROBLEM_H_

#include <string>
#include <string_view>
#include <system_error>

// "no such file", "is a directory, not a file", "permission denied", ...; a
// cause without words of its own gets the system's, in lower case.
std::string FileProblemReason(std::error_code error);
std::string FileProblemReason(int error_number);  // an errno value

// "larger than 64 MiB" (or "larger than 4096 bytes"), for a file refused
// for its size.
std::string TooLarge(unsigned long long limit);

// "PATH: reason", with '' for an empty path.
std::string FileProblem(std::string_view path, std::string_view reason);
std::string FileProblem(std::string_view path, int error_number);
// "PATH: cannot ACTION: reason", for an operation that is not simply using
// the file, such as keeping its backup or replacing it.
std::string FileProblem(std::string_view path, std::string_view action, int error_number);

#endif  // ZOR_PLATFORM_FILE_PROBLEM_H_
