// Reads a file into memory in one piece, with a message fit for the user
// when it cannot be read.
#ifndef ZOR_MERGE_WHOLE_FILE_H_
#define ZOR_MERGE_WHOLE_FILE_H_

#include <string>

// Returns an empty text on success, otherwise why `path` could not be read
// (a folder cannot).
std::string ReadWholeFile(const std::string& path, std::string& content);

#endif  // ZOR_MERGE_WHOLE_FILE_H_
