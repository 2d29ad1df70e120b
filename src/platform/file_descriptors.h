// The file calls behind reading a file whole and replacing one in a single
// step, on UTF-8 paths. Each reports a failure through errno, as the POSIX
// calls do, so that the messages built from it read alike on every system.
// On Windows every path goes through the UTF-16 interfaces and files are
// opened in binary mode.
#ifndef ZOR_PLATFORM_FILE_DESCRIPTORS_H_
#define ZOR_PLATFORM_FILE_DESCRIPTORS_H_

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Opens `path` for reading; -1 when it cannot be read, EISDIR for a folder.
// `expected_size` is the size of a regular file, 0 for anything else.
int OpenForReading(const std::string& path, size_t& expected_size);
// Bytes read into `buffer`, 0 at the end of the file, -1 on failure.
long long ReadSome(int fd, char* buffer, size_t size);
// Bytes read into `buffer` from byte `offset` of the file, 0 past its end,
// -1 on failure. It leaves the file's position alone, so threads may share
// one descriptor.
long long ReadAt(int fd, unsigned long long offset, char* buffer, size_t size);

// Creates `path` for writing; -1 when it cannot, EEXIST when it exists.
int CreateExclusive(const std::string& path);
// Writes the pieces one after the other, whatever short writes occur.
bool WriteAll(int fd, std::vector<std::string_view> pieces);
// Flushes the content to the disk, then closes the file in any case.
bool FlushAndClose(int fd);
void CloseFile(int fd);
bool RemoveFile(const std::string& path);

// The file open as `fd` gets the permissions, owner and group of the file at
// `model`; false when the owner or group cannot be kept (the model belongs
// to another user), with errno telling why.
bool TakeOverPermissions(int fd, const std::string& model);
// 0 when the user may replace the file at `path`: nothing is there, or the
// file has a write bit in its mode (a read-only attribute on Windows) and
// the user may write it; otherwise why not (EACCES).
int ProbeWritable(const std::string& path);
// 0 when something exists at `path`, otherwise why not (ENOENT: nothing).
int ProbePath(const std::string& path);
// A second name for the file; false where the file system has none.
bool AddHardLink(const std::string& existing, const std::string& new_name);
// Renames `from` to `to`, replacing the file at `to` in one step.
bool ReplaceByRename(const std::string& from, const std::string& to);
// Makes the renames done in the folder of `path` last through a crash.
void FlushFolderOf(const std::string& path);

#endif  // ZOR_PLATFORM_FILE_DESCRIPTORS_H_
