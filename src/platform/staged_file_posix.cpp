// Staged files on POSIX: mkostemp in the target's folder, then renameat2 without replacement (or a
// hard link where the file system lacks it), or a plain rename to replace.
#include "platform/staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? std::string("/") : path.substr(0, cut);
}

// Moves temp to target unless something exists there; errno EEXIST when it does.
bool MoveWithoutReplacing(const std::string& temp, const std::string& target) {
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return false;
  // The file system cannot rename without replacing: a hard link is just as exclusive.
  if (::link(temp.c_str(), target.c_str()) != 0) return false;
  ::unlink(temp.c_str());
  return true;
}

}  // namespace

StagedFile::StagedFile(std::string target) : target_(std::move(target)) {
  temp_ = FolderOf(target_) + "/.delvix-XXXXXX";
  fd_ = ::mkostemp(temp_.data(), O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    temp_.clear();
    return;
  }
  ::fchmod(fd_, 0644);  // mkostemp makes the file private; a placed file reads like any other
}

StagedFile::~StagedFile() { Drop(); }

void StagedFile::Drop() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

bool StagedFile::Write(const void* data, size_t size) {
  if (fd_ < 0) {
    if (error_ == 0) error_ = EBADF;
    return false;
  }
  const char* bytes = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd_, bytes, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = n < 0 ? errno : EIO;
      Drop();
      return false;
    }
    bytes += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

bool StagedFile::Place(PlaceMode mode, bool sync) {
  if (fd_ < 0) {
    if (error_ == 0) error_ = EBADF;
    return false;
  }
  if (sync && ::fsync(fd_) != 0) error_ = errno;
  if (::close(fd_) != 0 && error_ == 0) error_ = errno;
  fd_ = -1;
  if (error_ == 0) {
    const bool moved = mode == PlaceMode::Replace ? ::rename(temp_.c_str(), target_.c_str()) == 0
                                                  : MoveWithoutReplacing(temp_, target_);
    if (moved) {
      temp_.clear();
      return true;
    }
    error_ = errno;
  }
  Drop();
  return false;
}

}  // namespace platform
