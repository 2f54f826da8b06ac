#include "platform/core/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace movra::platform {
namespace {

namespace fs = std::filesystem;

// The kernel gives up on a path after 40 links; a longer chain is taken as a loop.
constexpr int kMaxLinkHops = 40;

// Removes the temporary file it was given unless Release was called.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string Path) : path_(std::move(Path)) {}
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Creates the file, never through a link and never over something that is not ours: a
  // plain file of that name is a leftover of a run that died and is replaced; a link, a
  // folder or anything else is in the way.
  bool Create(mode_t Mode) {
    for (int attempt = 0; attempt < 2; ++attempt) {
      fd_ = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, Mode);
      if (fd_ >= 0) return true;
      struct stat st {};
      if (errno != EEXIST || ::lstat(path_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) break;
      if (::unlink(path_.c_str()) != 0) break;
    }
    path_.clear();  // not ours: leave it alone
    return false;
  }

  bool Write(std::string_view Bytes) {
    while (!Bytes.empty()) {
      const ssize_t n = ::write(fd_, Bytes.data(), Bytes.size());
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return false;
      Bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
  }

  // Flushes the contents to the disk and closes the file.
  bool Finish() {
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    return synced && closed;
  }

  int Descriptor() const { return fd_; }
  const std::string& Path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  std::string path_;
  int fd_ = -1;
};

// Makes the rename itself durable. The new file is in place already, so a folder that
// cannot be flushed (some file systems refuse) does not turn the write into a failure.
void SyncFolder(const fs::path& Folder) {
  const std::string name = Folder.empty() ? std::string(".") : Folder.string();
  const int fd = ::open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

std::optional<std::string> ResolveWriteTarget(const std::string& Path) {
  fs::path path(Path);
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(path, ec);
    if (status.type() == fs::file_type::not_found) return path.string();
    if (ec) return std::nullopt;
    if (!fs::is_symlink(status)) return path.string();
    const fs::path link = fs::read_symlink(path, ec);
    if (ec) return std::nullopt;
    path = link.is_absolute() ? link : path.parent_path() / link;
  }
  return std::nullopt;
}

bool WriteFileAtomically(const std::string& Path, std::string_view Bytes) {
  if (Path.empty()) return false;
  const std::optional<std::string> resolved = ResolveWriteTarget(Path);
  if (!resolved) return false;
  const fs::path target(*resolved);

  struct stat old {};
  const bool hadOld = ::stat(target.c_str(), &old) == 0;
  if (!hadOld && errno != ENOENT) return false;
  if (hadOld && !S_ISREG(old.st_mode)) return false;  // a folder or a device is no file
  // A file we may not write stays as it is: renaming over it would get round its
  // protection, which writing in place would respect.
  if (hadOld && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return false;

  // Beside the target, so that the rename stays on one file system and is atomic. While it
  // is written only its owner may read it: the old file may have been private.
  fs::path temporaryName = target;
  temporaryName += ".tmp~";
  TemporaryFile temporary(temporaryName.string());
  if (!temporary.Create(hadOld ? 0600 : 0666)) return false;
  if (hadOld) {
    // The replacement keeps the old file's owner (when we may give it) and permissions.
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid())
      (void)::fchown(temporary.Descriptor(), old.st_uid, old.st_gid);
    if (::fchmod(temporary.Descriptor(), old.st_mode & 07777) != 0) return false;
  }
  if (!temporary.Write(Bytes) || !temporary.Finish()) return false;
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) return false;
  temporary.Release();
  SyncFolder(target.parent_path());
  return true;
}

}  // namespace movra::platform
