#pragma once
// ImageTargets: where the images of one scan go. An entry "images/foo.iwi" goes to
// <raw folder>/images/foo.iwi. As on the file system the games come from, case is ignored: the
// folder is the one on disk whatever its case, and an image counts as present when a file of its
// name exists in any case. No folder is created. Each folder is listed once, at its first use.
// Used by the scan thread only.
#include <string>
#include <unordered_map>
#include <unordered_set>

class ImageTargets {
 public:
  explicit ImageTargets(std::string rawFolder);

  struct Target {
    std::string path;    // where the image is written
    bool exists = false; // a file of that name (in any case) is there
  };
  // The target of a safe entry name (see CheckEntryName).
  Target For(const std::string& entryName);
  // Records that the image of entryName now exists.
  void MarkWritten(const std::string& entryName);

 private:
  struct Folder {
    std::string path;
    std::unordered_set<std::string> lowerNames;
  };
  Folder& FolderOf(const std::string& entryName, std::string* fileName);

  std::string raw_;
  std::unordered_map<std::string, Folder> folders_;  // by lower-case folder part of the entry name
};
