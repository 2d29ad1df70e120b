// Opening and testing files named by UTF-8 paths.
#ifndef ZOR_PLATFORM_UTF8_FILES_H_
#define ZOR_PLATFORM_UTF8_FILES_H_

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

// The tool keeps paths as UTF-8 bytes. On Windows the narrow file interfaces
// take the ANSI code page, so these go through the UTF-16 ones there; on
// other systems they hand the bytes over unchanged.

std::filesystem::path PathFromUtf8(const char* path);
// The path's UTF-8 bytes. On Windows the conversion is the one of
// PathFromUtf8, never the library's own, which differs between
// implementations and throws on a damaged name.
std::string Utf8FromPath(const std::filesystem::path& path);

// std::fopen for a UTF-8 path.
std::FILE* OpenFileUtf8(const char* path, const char* mode);

// 0 when something exists at `path` (a file or a directory), -1 otherwise.
// Mode 0 asks for existence only.
int AccessUtf8(const char* path, int mode);

// Opens `stream` in binary mode; true when it can be read. A directory
// counts as an empty file everywhere, as it does for the POSIX open.
bool OpenInputUtf8(std::ifstream& stream, const char* path);

#endif  // ZOR_PLATFORM_UTF8_FILES_H_
