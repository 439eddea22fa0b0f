#include "core/paths.h"

#include "platform/files.h"

namespace {
std::string gRunningDirectory;  // empty: the program file's folder
}  // namespace

std::string GetRunningDirectory() { return gRunningDirectory.empty() ? platform::ProgramFolder() : gRunningDirectory; }

void SetRunningDirectory(const std::string& folder) { gRunningDirectory = folder; }

void AddTrailingBackslash(std::string& path) {
  if (!path.empty() && path.back() != '/' && path.back() != '\\') path += '/';
}

void EnsureTrailingBackslash(std::string& path) { AddTrailingBackslash(path); }

std::string WithTrailingBackslash(std::string path) {
  AddTrailingBackslash(path);
  return path;
}

std::string FolderForCreate(const std::string& path) {
  if (path.find('.') != std::string::npos) return path;
  size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? path : path.substr(0, cut);
}

bool FileExists(const std::string& path) { return platform::PathExists(path); }
bool FileExistsAttr(const std::string& path) { return platform::PathExists(path); }

bool IsPlainFileName(const std::string& fileName) {
  return !fileName.empty() && fileName != "." && fileName != ".." &&
         fileName.find_first_of("/\\") == std::string::npos;
}
