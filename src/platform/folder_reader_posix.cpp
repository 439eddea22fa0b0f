// Folder listing on POSIX: opendir/readdir, with a stat of the entry where the file system does
// not say its type.
#include "platform/folder_reader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

namespace platform {

bool ReadFolderStamp(const std::string& folder, FolderStamp& stamp) {
  struct stat st;
  if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  constexpr int64_t kNsPerSecond = 1000000000;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.modifiedNs = int64_t(st.st_mtim.tv_sec) * kNsPerSecond + st.st_mtim.tv_nsec;
  stamp.changedNs = int64_t(st.st_ctim.tv_sec) * kNsPerSecond + st.st_ctim.tv_nsec;
  stamp.size = st.st_size;
  return true;
}

FolderReader::FolderReader(const std::string& folder) {
  dir_ = ::opendir(folder.c_str());
  if (!dir_) error_ = errno;
}

FolderReader::~FolderReader() {
  if (dir_) ::closedir(static_cast<DIR*>(dir_));
}

bool FolderReader::Next(FolderEntry& entry) {
  if (!dir_) return false;
  DIR* dir = static_cast<DIR*>(dir_);
  errno = 0;
  dirent* found = ::readdir(dir);
  if (!found) {
    error_ = errno;
    return false;
  }
  entry.name = found->d_name;
  if (found->d_type == DT_DIR) {
    entry.isFolder = true;
  } else if (found->d_type == DT_UNKNOWN || found->d_type == DT_LNK) {
    struct stat st;
    entry.isFolder = ::fstatat(::dirfd(dir), found->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
  } else {
    entry.isFolder = false;
  }
  return true;
}

}  // namespace platform
