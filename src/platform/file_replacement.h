// Replaces a file's content so that a crash, a full disk or a kill at any
// moment leaves either the old file or the new one, never a mix: the new
// content goes to a temporary file in the same folder, is flushed to the
// disk and then renamed over the file. The file replaced can be kept
// beside it as NAME.bak.N, numbered from 1: a backup is never overwritten,
// so every version a replacement left behind stays until its user removes
// it.
#ifndef ZOR_PLATFORM_FILE_REPLACEMENT_H_
#define ZOR_PLATFORM_FILE_REPLACEMENT_H_

#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// The steps of a replacement, in order.
enum class ReplacementStep {
  kTemporaryCreated,
  kContentWritten,
  kContentFlushed,
  kBackupKept,
  kRenamed,
};

struct ReplacementOptions {
  bool keep_backup = true;
  // Called after each step; tests stop the process there to show what an
  // interruption leaves behind.
  std::function<void(ReplacementStep)> after_step;
  // Where the backup was kept, when given and one was.
  std::string* backup_kept = nullptr;
};

// Returns an empty text on success, otherwise why the file was left as it
// was (the temporary file is removed again).
std::string ReplaceFile(const std::string& path, std::string_view content,
                        const ReplacementOptions& options = {});
// The same for content given as pieces to write one after the other.
std::string ReplaceFile(const std::string& path, const std::vector<std::string_view>& pieces,
                        const ReplacementOptions& options = {});

// The same for content too large to hold at once: `write` puts it on the
// stream it is given, which passes it on to the temporary file as it comes.
std::string ReplaceFileWith(const std::string& path,
                            const std::function<void(std::ostream&)>& write,
                            const ReplacementOptions& options = {});

// The same, where `write` may give up (it returns false, say after finding
// its input unusable): the temporary file is removed, the file left as it
// was, and the result is empty.
std::string ReplaceFileUnlessGivenUp(const std::string& path,
                                     const std::function<bool(std::ostream&)>& write,
                                     const ReplacementOptions& options = {});

// The name of backup number `number` of `path`: NAME.bak.NUMBER.
std::string BackupPath(const std::string& path, unsigned number);
// The number the next backup of `path` gets: one more than the highest
// there is.
unsigned NextBackupNumber(const std::string& path);

#endif  // ZOR_PLATFORM_FILE_REPLACEMENT_H_
