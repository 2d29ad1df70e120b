#include "platform/file_replacement.h"

#include <unistd.h>  // getpid, which the Windows C runtime has as well

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <streambuf>

#include "platform/file_descriptors.h"
#include "platform/file_problem.h"
#include "platform/file_reader.h"
#include "platform/utf8_files.h"

namespace fs = std::filesystem;

namespace {

std::string Failure(std::string_view what, const std::string& path, int error) {
  return FileProblem(path, what, error);
}

// A name beside `path` that no other file has yet, hidden from listings.
std::string TemporaryNameBeside(const std::string& path) {
  static std::mt19937_64 generator{std::random_device{}()};
  fs::path beside = PathFromUtf8(path.c_str());
  std::string name = ".";  // appended piece by piece: GCC 12 misjudges "." + string
  name += Utf8FromPath(beside.filename());
  name += ".zorvez-" + std::to_string(getpid()) + "-" + std::to_string(generator() % 1000000000);
  return Utf8FromPath(beside.parent_path() / PathFromUtf8(name.c_str()));
}

// A file symbolic links lead to is replaced, not the link.
std::string FileBehindLinks(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(PathFromUtf8(path.c_str()), error)) return path;
  fs::path target = fs::weakly_canonical(PathFromUtf8(path.c_str()), error);
  return error ? path : Utf8FromPath(target);
}

// The temporary file, removed again unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& beside) {
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
      path_ = TemporaryNameBeside(beside);
      fd_ = CreateExclusive(path_);
      error_ = fd_ < 0 ? errno : 0;
      if (fd_ < 0 && error_ != EEXIST) break;
    }
    if (fd_ < 0) path_.clear();
  }
  ~TemporaryFile() {
    if (fd_ >= 0) CloseFile(fd_);
    if (!path_.empty()) RemoveFile(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  int error() const { return error_; }
  const std::string& path() const { return path_; }

  // Flushes the content to the disk and closes the file.
  bool Finish() {
    bool finished = FlushAndClose(fd_);
    fd_ = -1;
    error_ = finished ? 0 : errno;
    return finished;
  }
  // The file now stands under another name: nothing to remove.
  void Renamed() { path_.clear(); }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
};

// A stream buffer that writes to the temporary file in blocks and
// remembers the first failure, so that a full disk is reported once, at
// the end, whatever the writer went on writing.
class DescriptorBuffer : public std::streambuf {
 public:
  explicit DescriptorBuffer(int fd) : fd_(fd), block_(kBlock) {
    setp(block_.data(), block_.data() + kBlock);
  }
  DescriptorBuffer(const DescriptorBuffer&) = delete;
  DescriptorBuffer& operator=(const DescriptorBuffer&) = delete;

  // Writes what is left; the errno of the first failure, or 0.
  int Drain() {
    Flush();
    return error_;
  }

 protected:
  int_type overflow(int_type c) override {
    Flush();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
  }
  int sync() override {
    Flush();
    return error_ == 0 ? 0 : -1;
  }

 private:
  static constexpr size_t kBlock = size_t{1} << 16;

  void Flush() {
    const auto size = static_cast<size_t>(pptr() - pbase());
    if (size > 0 && error_ == 0 && !WriteAll(fd_, {std::string_view(pbase(), size)})) {
      error_ = errno != 0 ? errno : EIO;
    }
    setp(block_.data(), block_.data() + kBlock);
  }

  int fd_;
  std::vector<char> block_;
  int error_ = 0;
};

// A copy of the file under a name nothing else has yet; EEXIST when the
// name is taken.
int CopyToNewFile(const std::string& path, const std::string& copy) {
  FileRead read = ReadFile(path, kNoSizeBound);
  if (!read.ok()) return read.error != 0 ? read.error : EIO;
  const int fd = CreateExclusive(copy);
  if (fd < 0) return errno;
  const bool written = WriteAll(fd, {read.bytes});
  const int error = written ? 0 : errno;
  if (!FlushAndClose(fd) || !written) {
    RemoveFile(copy);
    return error != 0 ? error : EIO;
  }
  return 0;
}

// Keeps the file about to be replaced as its next numbered backup: a
// second name for the same file where the file system allows it, a copy
// otherwise. A name taken meanwhile is passed over, never replaced.
std::string KeepBackup(const std::string& path, std::string* kept) {
  int missing = ProbePath(path);
  if (missing != 0) return missing == ENOENT ? "" : Failure("read", path, missing);
  for (unsigned number = NextBackupNumber(path), tries = 0; tries < 64; ++number, ++tries) {
    const std::string backup = BackupPath(path, number);
    int error = 0;
    if (!AddHardLink(path, backup)) {
      error = errno;
      if (error != EEXIST) error = CopyToNewFile(path, backup);
    }
    if (error == EEXIST) continue;
    if (error != 0) return Failure("keep the backup", backup, error);
    if (kept != nullptr) *kept = backup;
    return "";
  }
  return Failure("keep the backup", BackupPath(path, NextBackupNumber(path)), EEXIST);
}

// Writes the content to the open temporary file; 0, the errno of the
// failure, or kGivenUp.
using ContentWriter = std::function<int(int fd)>;
constexpr int kGivenUp = -1;

std::string Replace(const std::string& given_path, const ContentWriter& write_content,
                    const ReplacementOptions& options) {
  auto step = [&](ReplacementStep done) {
    if (options.after_step) options.after_step(done);
  };
  const std::string path = FileBehindLinks(given_path);
  std::error_code ignored;
  if (fs::is_directory(PathFromUtf8(path.c_str()), ignored))
    return Failure("replace", path, EISDIR);
  if (int refused = ProbeWritable(path)) {
    return Failure("replace", path, refused) + " (the file is protected against writing)";
  }
  TemporaryFile temporary(path);
  if (temporary.fd() < 0)
    return Failure("create a temporary file beside it", path, temporary.error());
  step(ReplacementStep::kTemporaryCreated);
  if (!TakeOverPermissions(temporary.fd(), path)) {
    int error = errno;
    return Failure("keep the owner, group and mode of", path, error) +
           " (a replaced file would belong to you)";
  }
  if (int error = write_content(temporary.fd())) {
    return error == kGivenUp ? "" : Failure("write", temporary.path(), error);
  }
  step(ReplacementStep::kContentWritten);
  if (!temporary.Finish()) return Failure("write", temporary.path(), temporary.error());
  step(ReplacementStep::kContentFlushed);
  if (options.keep_backup) {
    std::string failure = KeepBackup(path, options.backup_kept);
    if (!failure.empty()) return failure;
  }
  step(ReplacementStep::kBackupKept);
  if (!ReplaceByRename(temporary.path(), path)) {
    int error = errno;
    return Failure("replace", path, error);
  }
  temporary.Renamed();
  FlushFolderOf(path);
  step(ReplacementStep::kRenamed);
  return "";
}

}  // namespace

std::string ReplaceFile(const std::string& path, const std::vector<std::string_view>& pieces,
                        const ReplacementOptions& options) {
  return Replace(
      path, [&](int fd) { return WriteAll(fd, pieces) ? 0 : (errno != 0 ? errno : EIO); }, options);
}

std::string ReplaceFileWith(const std::string& path,
                            const std::function<void(std::ostream&)>& write,
                            const ReplacementOptions& options) {
  return Replace(
      path,
      [&](int fd) {
        DescriptorBuffer buffer(fd);
        std::ostream out(&buffer);
        write(out);
        return buffer.Drain();
      },
      options);
}

std::string ReplaceFileUnlessGivenUp(const std::string& path,
                                     const std::function<bool(std::ostream&)>& write,
                                     const ReplacementOptions& options) {
  return Replace(
      path,
      [&](int fd) {
        DescriptorBuffer buffer(fd);
        std::ostream out(&buffer);
        if (!write(out)) return kGivenUp;
        return buffer.Drain();
      },
      options);
}

std::string BackupPath(const std::string& path, unsigned number) {
  return path + ".bak." + std::to_string(number);
}

unsigned NextBackupNumber(const std::string& path) {
  const fs::path file = PathFromUtf8(path.c_str());
  const std::string prefix = Utf8FromPath(file.filename()) + ".bak.";
  fs::path folder = file.parent_path();
  if (folder.empty()) folder = ".";
  unsigned highest = 0;
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = Utf8FromPath(entry->path().filename());
    if (!name.starts_with(prefix) || name.size() == prefix.size() ||
        name.size() > prefix.size() + 9) {
      continue;
    }
    const std::string digits = name.substr(prefix.size());
    if (digits.find_first_not_of("0123456789") != std::string::npos || digits[0] == '0') continue;
    highest = std::max(highest, static_cast<unsigned>(std::stoul(digits)));
  }
  return highest + 1;
}

std::string ReplaceFile(const std::string& path, std::string_view content,
                        const ReplacementOptions& options) {
  return ReplaceFile(path, std::vector<std::string_view>{content}, options);
}
