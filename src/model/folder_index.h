#pragma once
// FolderIndex: finds the files of one game folder ignoring case, the way game files name them
// (real models name their parts in another case than the files on disk). One index serves one
// folder for the program's life: FolderIndexes hands out the same index for the same folder path,
// so loading every model of a large game lists each folder once, not once per model.
//
//   - A name is looked up as written first; a hit never lists the folder.
//   - Otherwise the folder's stamp (platform::FolderStamp) is compared with the one taken when it
//     was listed; the folder is listed again only when the stamp differs. A file added, renamed
//     or removed since the last listing is therefore seen by the next lookup.
//   - File times are coarse: a change made in the same clock tick as a listing leaves the stamp
//     as it was. A listing taken less than kSettleTime after the folder's last change is therefore
//     not trusted for misses: the next miss lists again, until a listing is taken after the folder
//     settled.
//   - A missing folder is looked for again only when its parent folder changed.
//
// Thread-safe: each index has its own mutex, held for the whole of a lookup.
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "platform/folder_reader.h"

class FolderIndex {
 public:
  // A listing is trusted for misses once the folder's last change is this much older than the
  // listing (covers the clock ticks of the usual file systems, FAT's two seconds included).
  static constexpr std::chrono::seconds kSettleTime{2};

  // The index of folder: a path that need not exist or match the disk's case; trailing "/" are
  // dropped. Nothing is read until the first call.
  explicit FolderIndex(std::string_view folder);
  FolderIndex(const FolderIndex&) = delete;
  FolderIndex& operator=(const FolderIndex&) = delete;

  // The folder as given, without trailing "/".
  const std::string& Folder() const { return folder_; }
  // folder names this index's folder (trailing "/" ignored).
  bool Serves(std::string_view folder) const;

  // The folder exists (found ignoring case).
  bool Exists();

  // The path of the regular file fileName in the folder as it is on disk; empty when there is
  // none, or when fileName could leave the folder ("", ".", "..", a "/" or "\").
  std::string FindFile(const std::string& fileName);

  // How often the folder has been listed so far (for tests and benchmarks).
  uint64_t Listings() const;

 private:
  bool FindFolderLocked();
  bool RefreshLocked();
  void ListLocked(const platform::FolderStamp& stamp);
  std::string LookUpLocked(const std::string& fileName) const;

  const std::string folder_;  // as given, without trailing "/"
  mutable std::mutex mutex_;
  std::string onDisk_;        // the folder as found on disk, ending in "/"; empty when missing
  bool listed_ = false;
  bool settled_ = false;      // the listing was taken after the folder's last change settled
  platform::FolderStamp stamp_;   // the folder's stamp when it was listed
  bool parentKnown_ = false;      // parentStamp_ holds the parent's stamp of a failed search
  platform::FolderStamp parentStamp_;
  std::unordered_map<std::string, std::string> byLowerName_;  // lower-cased name -> name on disk
  uint64_t listings_ = 0;
};

// The folder indexes of the program: one per folder path, made at first use and kept, shared by
// every load and every thread. Indexes of different folders (of two games, say) are never shared.
class FolderIndexes {
 public:
  // The index of folder (trailing "/" ignored). Thread-safe.
  std::shared_ptr<FolderIndex> For(std::string_view folder);

 private:
  std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<FolderIndex>> byFolder_;
};

extern FolderIndexes gFolderIndexes;
