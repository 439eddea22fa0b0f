#include "iwd/image_targets.h"

#include "iwd/iwd_names.h"
#include "platform/files.h"
#include "platform/folder_reader.h"

ImageTargets::ImageTargets(std::string rawFolder) : raw_(std::move(rawFolder)) {}

ImageTargets::Folder& ImageTargets::FolderOf(const std::string& entryName, std::string* fileName) {
  const size_t cut = entryName.rfind('/');
  const std::string folderPart = cut == std::string::npos ? std::string() : entryName.substr(0, cut);
  *fileName = cut == std::string::npos ? entryName : entryName.substr(cut + 1);
  const std::string key = LowerCase(folderPart);
  auto found = folders_.find(key);
  if (found != folders_.end()) return found->second;

  Folder folder;
  folder.path = folderPart.empty() ? raw_ : raw_ + "/" + folderPart;
  if (!platform::IsDirectory(folder.path)) {
    const std::string onDisk = platform::ResolvePathCaseInsensitive(folder.path);
    if (!onDisk.empty() && platform::IsDirectory(onDisk)) folder.path = onDisk;
  }
  platform::FolderReader reader(folder.path);
  platform::FolderEntry item;
  while (reader.Next(item)) folder.lowerNames.insert(LowerCase(item.name));
  return folders_.emplace(key, std::move(folder)).first->second;
}

ImageTargets::Target ImageTargets::For(const std::string& entryName) {
  std::string fileName;
  Folder& folder = FolderOf(entryName, &fileName);
  Target target;
  target.path = folder.path + "/" + fileName;
  target.exists = folder.lowerNames.count(LowerCase(fileName)) != 0;
  return target;
}

void ImageTargets::MarkWritten(const std::string& entryName) {
  std::string fileName;
  FolderOf(entryName, &fileName).lowerNames.insert(LowerCase(fileName));
}
