#pragma once
// FolderReader: reads the entries of one folder one at a time, in the order the file system
// gives them (unsorted). "." and ".." come back like any other entry. Errors are the system's
// error numbers (errno).
#include <string>

namespace platform {

struct FolderEntry {
  std::string name;
  bool isFolder = false;  // a directory, or a link to one
};

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
