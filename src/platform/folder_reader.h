#pragma once
// FolderReader: reads the entries of one folder one at a time, in the order the file system
// gives them (unsorted). "." and ".." come back like any other entry. Errors are the system's
// error numbers (errno). FolderStamp tells whether a folder's entries may have changed since.
#include <cstdint>
#include <string>

namespace platform {

struct FolderEntry {
  std::string name;
  bool isFolder = false;  // a directory, or a link to one
};

// What changes when a folder's entries change: the folder's identity, its modification and change
// times and its size. Adding, renaming or removing an entry gives the folder a new stamp, unless
// the change falls into the same tick of the file system's clock as the stamp taken before it.
struct FolderStamp {
  uint64_t device = 0;
  uint64_t inode = 0;
  int64_t modifiedNs = 0;  // wall-clock nanoseconds since 1970
  int64_t changedNs = 0;   // wall-clock nanoseconds since 1970
  int64_t size = 0;
  bool operator==(const FolderStamp&) const = default;
};

// Reads the stamp of folder (followed through links). False when folder is not a folder.
bool ReadFolderStamp(const std::string& folder, FolderStamp& stamp);

class FolderReader {
 public:
  // Opens folder; when that fails, Error() gives the reason and Next() returns false.
  explicit FolderReader(const std::string& folder);
  ~FolderReader();
  FolderReader(const FolderReader&) = delete;
  FolderReader& operator=(const FolderReader&) = delete;

  bool IsOpen() const { return dir_ != nullptr; }
  // Fills entry with the next entry and returns true; false at the end of the folder or on a
  // read error (then Error() is non-zero).
  bool Next(FolderEntry& entry);
  // 0, or the error number of the failed open or read.
  int Error() const { return error_; }

 private:
  void* dir_ = nullptr;  // DIR*
  int error_ = 0;
};

}  // namespace platform
