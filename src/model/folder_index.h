#pragma once
// FolderIndex: finds the files of one game folder ignoring case, the way game files name them
// (real models name their parts in another case than the files on disk). A name is looked up
// as written first; only when that fails is the folder listed, once, into an index by
// lower-cased name, so a model with many missing names costs one listing, not one per name.
#include <string>
#include <unordered_map>

class FolderIndex {
 public:
  // Points the index at folder (a path that need not exist or match the disk's case) and
  // forgets any listing, so files added since are seen.
  void Reset(const std::string& folder);
  const std::string& Folder() const { return folder_; }

  // The folder exists (found ignoring case).
  bool Exists();

  // The path of the regular file fileName in the folder as it is on disk; empty when there is
  // none, or when fileName could leave the folder ("", ".", "..", a "/" or "\").
  std::string FindFile(const std::string& fileName);

 private:
  void Resolve();
  void List();

  std::string folder_;    // as given
  std::string onDisk_;    // the folder as found on disk, ending in "/"; empty when missing
  bool resolved_ = false;
  bool listed_ = false;
  std::unordered_map<std::string, std::string> byLowerName_;
};
