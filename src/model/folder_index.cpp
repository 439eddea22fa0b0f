#include "model/folder_index.h"

#include <algorithm>

#include "core/paths.h"
#include "platform/files.h"
#include "platform/folder_reader.h"

namespace {

std::string ToLowerAscii(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  });
  return text;
}

}  // namespace

void FolderIndex::Reset(const std::string& folder) {
  folder_ = folder;
  onDisk_.clear();
  resolved_ = false;
  listed_ = false;
  byLowerName_.clear();
}

void FolderIndex::Resolve() {
  if (resolved_) return;
  resolved_ = true;
  std::string path = folder_;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  std::string found = path.empty() ? std::string() : platform::ResolvePathCaseInsensitive(path);
  if (!found.empty() && platform::IsDirectory(found)) onDisk_ = found + "/";
}

bool FolderIndex::Exists() {
  Resolve();
  return !onDisk_.empty();
}

void FolderIndex::List() {
  listed_ = true;
  platform::FolderReader reader(onDisk_);
  platform::FolderEntry entry;
  while (reader.Next(entry)) {
    if (!entry.isFolder) byLowerName_.emplace(ToLowerAscii(entry.name), entry.name);
  }
}

std::string FolderIndex::FindFile(const std::string& fileName) {
  if (!IsPlainFileName(fileName) || !Exists()) return {};
  std::string exact = onDisk_ + fileName;
  if (platform::IsRegularFile(exact)) return exact;
  if (!listed_) List();
  auto found = byLowerName_.find(ToLowerAscii(fileName));
  if (found == byLowerName_.end()) return {};
  std::string path = onDisk_ + found->second;
  return platform::IsRegularFile(path) ? path : std::string();
}
