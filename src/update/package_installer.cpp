#include "update/package_installer.h"

#include <cstring>
#include <filesystem>
#include <vector>

#include "core/log.h"
#include "core/zip_archive.h"
#include "platform/files.h"

namespace {

namespace fs = std::filesystem;

std::string FileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string FolderOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? std::string(".") : path.substr(0, cut);
}

// The entries that carry files, once every one of them has been found safe to install: names
// inside the folder, readable, and the program file among them. Empty (with a warning) otherwise.
std::vector<const ZipEntry*> CheckPackage(ZipArchive& zip, const std::string& programName) {
  std::vector<const ZipEntry*> files;
  bool hasProgram = false;
  for (const ZipEntry& entry : zip.Entries()) {
    const ZipNameCheck nameCheck = CheckEntryName(entry.name);
    if (nameCheck != ZipNameCheck::Safe) {
      VornLog::Warningf("Update package refused: entry '%s': %s", entry.name.c_str(), ZipNameCheckText(nameCheck));
      return {};
    }
    const ZipStatus status = zip.CheckEntry(entry);
    if (status != ZipStatus::Ok) {
      VornLog::Warningf("Update package refused: entry '%s': %s", entry.name.c_str(), ZipStatusText(status));
      return {};
    }
    if (entry.isFolder || entry.size == 0) continue;
    if (entry.name == programName) hasProgram = true;
    files.push_back(&entry);
  }
  if (!hasProgram) {
    VornLog::Warningf("Update package refused: the program file '%s' is not in it", programName.c_str());
    return {};
  }
  return files;
}

// Unpacks every file into staging, checked whole. False (warning "Failed to update file: %s")
// on the first entry that fails.
bool StageFiles(ZipArchive& zip, const std::vector<const ZipEntry*>& files, const std::string& staging) {
  for (const ZipEntry* entry : files) {
    const std::string target = staging + "/" + entry->name;
    int osError = 0;
    const ZipStatus status = platform::CreateFolders(FolderOf(target))
                                 ? zip.ExtractToFile(*entry, target, platform::PlaceMode::Replace, &osError, true)
                                 : ZipStatus::WriteFailed;
    if (status != ZipStatus::Ok) {
      VornLog::Warningf("Failed to update file: %s (%s%s%s)", entry->name.c_str(), ZipStatusText(status),
                        osError ? ": " : "", osError ? std::strerror(osError) : "");
      return false;
    }
  }
  return true;
}

// Renames the staged files into the folder, the program file last (made executable). False
// (warning "Can't open file: %s") on the first that cannot be placed.
bool PlaceFiles(const std::vector<const ZipEntry*>& files, const std::string& staging, const std::string& folder,
                const std::string& programName) {
  std::vector<const ZipEntry*> order;
  for (const ZipEntry* entry : files)
    if (entry->name != programName) order.push_back(entry);
  for (const ZipEntry* entry : files)
    if (entry->name == programName) order.push_back(entry);

  for (const ZipEntry* entry : order) {
    const std::string from = staging + "/" + entry->name;
    const std::string to = folder + "/" + entry->name;
    std::error_code error;
    if (entry->name == programName) fs::permissions(from, fs::perms(0755), error);
    if (!platform::CreateFolders(FolderOf(to))) error = std::make_error_code(std::errc::not_a_directory);
    else fs::rename(from, to, error);
    if (error) {
      VornLog::Warningf("Can't open file: %s (%s)", entry->name.c_str(), error.message().c_str());
      return false;
    }
  }
  return true;
}

void RemoveFolder(const std::string& folder) {
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace

bool InstallUpdate(const std::string& package, const std::string& installFolder, const std::string& programPath) {
  ZipArchive zip;
  const ZipStatus opened = zip.Open(package);
  if (opened != ZipStatus::Ok) {
    VornLog::Warningf("Update package refused: %s: %s", package.c_str(), ZipStatusText(opened));
    return false;
  }
  const std::string programName = FileNameOf(programPath);
  const std::vector<const ZipEntry*> files = CheckPackage(zip, programName);
  if (files.empty()) return false;

  const std::string staging = installFolder + "/updates/staging";
  RemoveFolder(staging);
  if (!StageFiles(zip, files, staging)) {
    RemoveFolder(staging);
    return false;
  }

  const std::string oldProgram = programPath + ".old";
  std::error_code error;
  fs::rename(programPath, oldProgram, error);
  if (error) {
    VornLog::Warningf("Can't move the program file aside: %s (%s)", programPath.c_str(), error.message().c_str());
    RemoveFolder(staging);
    return false;
  }
  const bool placed = PlaceFiles(files, staging, installFolder, programName);
  if (!placed) fs::rename(oldProgram, programPath, error);
  if (error)
    VornLog::Warningf("Can't move the program file back: %s (%s)", oldProgram.c_str(), error.message().c_str());
  RemoveFolder(staging);
  return placed;
}

void RemoveOldExecutable(const std::string& programPath) {
  if (programPath.empty()) return;
  const std::string oldProgram = programPath + ".old";
  std::error_code error;
  const fs::file_status status = fs::symlink_status(oldProgram, error);
  if (status.type() == fs::file_type::not_found) return;
  if (error) {
    VornLog::Warningf("fileExsits failed: %s (%s)", oldProgram.c_str(), error.message().c_str());
  } else if (status.type() == fs::file_type::directory) {
    VornLog::Warningf("fileExsits check was ran on a directory: %s", oldProgram.c_str());
  } else if (!fs::remove(oldProgram, error) && error) {
    VornLog::Warningf("Could not remove the old program file %s (%s)", oldProgram.c_str(), error.message().c_str());
  }
}
