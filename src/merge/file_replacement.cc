#include "merge/file_replacement.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

namespace {

std::string Failure(std::string_view what, const std::string& path, int error) {
  return "cannot " + std::string(what) + " " + path + ": " + std::strerror(error);
}

// A name beside `path` that no other file has yet, hidden from listings.
std::string TemporaryNameBeside(const std::string& path) {
  static std::mt19937_64 generator{std::random_device{}()};
  fs::path beside(path);
  std::string name = ".";  // appended piece by piece: GCC 12 misjudges "." + string
  name += beside.filename().string();
  name += ".zorvez-" + std::to_string(getpid()) + "-" + std::to_string(generator() % 1000000000);
  return (beside.parent_path() / name).string();
}

// A file symbolic links lead to is replaced, not the link.
std::string FileBehindLinks(const std::string& path) {
  std::error_code error;
  if (!fs::is_symlink(path, error)) return path;
  fs::path target = fs::weakly_canonical(path, error);
  return error ? path : target.string();
}

// The temporary file, removed again unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const std::string& beside) {
    for (int attempt = 0; attempt < 16 && fd_ < 0; ++attempt) {
      path_ = TemporaryNameBeside(beside);
      fd_ = open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      error_ = fd_ < 0 ? errno : 0;
      if (fd_ < 0 && error_ != EEXIST) break;
    }
    if (fd_ < 0) path_.clear();
  }
  ~TemporaryFile() {
    if (fd_ >= 0) close(fd_);
    if (!path_.empty()) unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  int fd() const { return fd_; }
  int error() const { return error_; }
  const std::string& path() const { return path_; }

  // Flushes the content to the disk and closes the file.
  bool Finish() {
    bool flushed = fsync(fd_) == 0;
    error_ = flushed ? 0 : errno;
    int closed = close(fd_);
    fd_ = -1;
    if (flushed && closed != 0) error_ = errno;
    return flushed && closed == 0;
  }
  // The file now stands under another name: nothing to remove.
  void Renamed() { path_.clear(); }

 private:
  std::string path_;
  int fd_ = -1;
  int error_ = 0;
};

// Writes the pieces with as few system calls as the kernel allows.
bool WriteAll(int fd, std::vector<std::string_view> pieces) {
  size_t next = 0;
  for (;;) {
    while (next < pieces.size() && pieces[next].empty()) ++next;
    if (next == pieces.size()) return true;
    std::vector<iovec> batch;
    for (size_t i = next; i < pieces.size() && batch.size() < IOV_MAX; ++i) {
      batch.push_back({const_cast<char*>(pieces[i].data()), pieces[i].size()});
    }
    ssize_t written = writev(fd, batch.data(), static_cast<int>(batch.size()));
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = EIO;
      return false;
    }
    // Past the pieces written whole; a piece written in part is cut.
    for (size_t left = static_cast<size_t>(written); left > 0; ++next) {
      if (left < pieces[next].size()) {
        pieces[next].remove_prefix(left);
        break;
      }
      left -= pieces[next].size();
    }
  }
}

// The new file keeps the permissions and, where allowed, the owner of the
// file it replaces.
void TakeOverAttributes(int fd, const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return;
  (void)fchmod(fd, status.st_mode & 07777);
  if (fchown(fd, status.st_uid, status.st_gid) != 0) {
    // Only the owner's own files keep their group; that is enough.
  }
}

void FlushFolder(const std::string& path) {
  std::string folder = fs::path(path).parent_path().string();
  int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  (void)fsync(fd);  // some file systems cannot flush a folder; the rename stands anyway
  close(fd);
}

std::string CopyToBackup(const std::string& path, const std::string& backup) {
  std::ifstream in(path, std::ios::binary);
  std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return Failure("read", path, EIO);
  return ReplaceFile(backup, content, {false, {}});
}

// Keeps the file about to be replaced as its backup: a second name for the
// same file where the file system allows it, a copy otherwise.
std::string KeepBackup(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0) return errno == ENOENT ? "" : Failure("read", path, errno);
  std::string backup = BackupPath(path);
  std::string second_name = TemporaryNameBeside(backup);
  if (link(path.c_str(), second_name.c_str()) != 0) return CopyToBackup(path, backup);
  if (rename(second_name.c_str(), backup.c_str()) != 0) {
    int error = errno;
    unlink(second_name.c_str());
    return Failure("keep the backup", backup, error);
  }
  return "";
}

}  // namespace

std::string BackupPath(const std::string& path) { return path + ".bak"; }

std::string ReplaceFile(const std::string& path, std::string_view content,
                        const ReplacementOptions& options) {
  return ReplaceFile(path, std::vector<std::string_view>{content}, options);
}

std::string ReplaceFile(const std::string& given_path, const std::vector<std::string_view>& pieces,
                        const ReplacementOptions& options) {
  auto step = [&](ReplacementStep done) {
    if (options.afterStep) options.afterStep(done);
  };
  const std::string path = FileBehindLinks(given_path);
  std::error_code ignored;
  if (fs::is_directory(path, ignored)) return Failure("replace", path, EISDIR);
  TemporaryFile temporary(path);
  if (temporary.fd() < 0) return Failure("create a file beside", path, temporary.error());
  step(ReplacementStep::kTemporaryCreated);
  TakeOverAttributes(temporary.fd(), path);
  if (!WriteAll(temporary.fd(), pieces)) {
    int error = errno;
    return Failure("write", temporary.path(), error);
  }
  step(ReplacementStep::kContentWritten);
  if (!temporary.Finish()) return Failure("write", temporary.path(), temporary.error());
  step(ReplacementStep::kContentFlushed);
  if (options.keepBackup) {
    std::string failure = KeepBackup(path);
    if (!failure.empty()) return failure;
  }
  step(ReplacementStep::kBackupKept);
  if (rename(temporary.path().c_str(), path.c_str()) != 0) {
    int error = errno;
    return Failure("replace", path, error);
  }
  temporary.Renamed();
  FlushFolder(path);
  step(ReplacementStep::kRenamed);
  return "";
}
