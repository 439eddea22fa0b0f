#include "model/folder_index.h"

#include <algorithm>

#include "core/paths.h"
#include "platform/files.h"

namespace {

std::string ToLowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return text;
}

std::string_view WithoutTrailingSlashes(std::string_view folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  return folder;
}

// The folder that holds folder ("." for a bare name).
std::string ParentOf(const std::string& folder) {
  const size_t cut = folder.find_last_of('/');
  if (cut == std::string::npos) return ".";
  return cut == 0 ? std::string("/") : folder.substr(0, cut);
}

// A stamp taken now can be trusted to change with the folder's next change: its modification
// time is at least FolderIndex::kSettleTime away from the wall clock (a time far in the future,
// from a skewed clock, counts as settled too, or the folder would never settle).
bool IsSettled(const platform::FolderStamp& stamp) {
  const int64_t now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::system_clock::now().time_since_epoch()).count();
  const int64_t settle = std::chrono::nanoseconds(FolderIndex::kSettleTime).count();
  const int64_t age = now - stamp.modifiedNs;
  return age >= settle || age <= -settle;
}

}  // namespace

FolderIndex::FolderIndex(std::string_view folder) : folder_(WithoutTrailingSlashes(folder)) {}

bool FolderIndex::Serves(std::string_view folder) const { return WithoutTrailingSlashes(folder) == folder_; }

bool FolderIndex::Exists() {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindFolderLocked();
}

uint64_t FolderIndex::Listings() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return listings_;
}

// Keeps the folder found before while it is there. A missing folder is searched for (which may
// list its parent) only when the parent changed since the last search.
bool FolderIndex::FindFolderLocked() {
  if (!onDisk_.empty() && platform::IsDirectory(onDisk_)) return true;
  platform::FolderStamp parent;
  const bool parentThere = platform::ReadFolderStamp(ParentOf(folder_), parent);
  if (onDisk_.empty() && parentKnown_ && parentThere && parent == parentStamp_) return false;
  const bool parentSettled = parentThere && IsSettled(parent);
  const std::string found = folder_.empty() ? std::string() : platform::ResolvePathCaseInsensitive(folder_);
  const bool isFolder = !found.empty() && platform::IsDirectory(found);
  const std::string onDisk = isFolder ? found + "/" : std::string();
  if (onDisk != onDisk_) {
    onDisk_ = onDisk;
    listed_ = false;
    byLowerName_.clear();
  }
  parentKnown_ = !isFolder && parentSettled;
  parentStamp_ = parent;
  return isFolder;
}

// Finds the folder again when it went away, and lists it when it changed since the last listing
// or that listing was taken before the folder settled. False when the folder is missing.
bool FolderIndex::RefreshLocked() {
  platform::FolderStamp now;
  if (onDisk_.empty() || !platform::ReadFolderStamp(onDisk_, now)) {
    if (!FindFolderLocked() || !platform::ReadFolderStamp(onDisk_, now)) return false;
  }
  if (!listed_ || !settled_ || !(now == stamp_)) ListLocked(now);
  return true;
}

// stamp was read before the listing starts: a change during the listing gives a later stamp.
void FolderIndex::ListLocked(const platform::FolderStamp& stamp) {
  stamp_ = stamp;
  settled_ = IsSettled(stamp);
  listed_ = true;
  ++listings_;
  byLowerName_.clear();
  platform::FolderReader reader(onDisk_);
  platform::FolderEntry entry;
  while (reader.Next(entry)) {
    if (!entry.isFolder) byLowerName_.emplace(ToLowerAscii(entry.name), entry.name);
  }
}

std::string FolderIndex::LookUpLocked(const std::string& fileName) const {
  auto found = byLowerName_.find(ToLowerAscii(fileName));
  if (found == byLowerName_.end()) return {};
  std::string path = onDisk_ + found->second;
  return platform::IsRegularFile(path) ? path : std::string();
}

std::string FolderIndex::FindFile(const std::string& fileName) {
  if (!IsPlainFileName(fileName)) return {};
  std::lock_guard<std::mutex> lock(mutex_);
  if (onDisk_.empty() && !FindFolderLocked()) return {};
  std::string exact = onDisk_ + fileName;
  if (platform::IsRegularFile(exact)) return exact;
  if (!RefreshLocked()) return {};
  return LookUpLocked(fileName);
}

std::shared_ptr<FolderIndex> FolderIndexes::For(std::string_view folder) {
  std::string key(WithoutTrailingSlashes(folder));
  std::lock_guard<std::mutex> lock(mutex_);
  std::shared_ptr<FolderIndex>& index = byFolder_[key];
  if (!index) index = std::make_shared<FolderIndex>(key);
  return index;
}
