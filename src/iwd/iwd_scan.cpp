// The scan thread: the archives of the "main" folder in a fixed order, the ".iwi" entries of each
// copied whole into the raw folder, existing files kept, every problem logged and collected.
#include <algorithm>
#include <cerrno>
#include <optional>

#include "core/log.h"
#include "core/strings.h"
#include "iwd/image_targets.h"
#include "iwd/iwd_box.h"
#include "iwd/iwd_names.h"
#include "iwd/iwd_utils.h"
#include "platform/folder_reader.h"

namespace {

std::vector<std::string> ListArchives(const std::string& folder) {
  std::vector<std::string> names;
  platform::FolderReader reader(folder);
  platform::FolderEntry entry;
  while (reader.Next(entry)) {
    if (!entry.isFolder && ContainsIgnoringCase(entry.name, ".iwd")) names.push_back(entry.name);
  }
  if (reader.Error() != 0) VornLog::Warningf("IWDList:: Error: %u", static_cast<unsigned>(reader.Error()));
  std::sort(names.begin(), names.end(), ListingOrder);
  return names;
}

std::string FileNameOf(const std::string& path) {
  const size_t cut = path.find_last_of('/');
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool IsPermissionError(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// Keeps the first problem of an archive as its result and as its line in the end message.
class ArchiveProblems {
 public:
  ArchiveProblems(std::string archiveName, std::vector<std::string>& failures)
      : name_(std::move(archiveName)), failures_(failures) {}

  void Note(IWDResult result, const std::string& problem) {
    if (result_ != IWDResult::Done) return;
    result_ = result;
    failures_.push_back(name_ + ": " + problem);
  }
  IWDResult Result() const { return result_; }

 private:
  std::string name_;
  std::vector<std::string>& failures_;
  IWDResult result_ = IWDResult::Done;
};

}  // namespace

std::vector<std::string> VornIWDUtils::IWDList() const { return ListArchives(mainPath); }

void VornIWDUtils::Scan() {
  const std::vector<std::string> names = ListArchives(scanMainPath);
  scanTargets = std::make_unique<ImageTargets>(scanRawPath);
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    iwdCount = static_cast<int32_t>(names.size());
  }
  for (size_t i = 0; i < names.size(); ++i) {
    const bool cancelled = cancel;
    {
      std::lock_guard<std::mutex> lock(progressMutex);
      progressText = IntToString(currentIwd) + "/" + IntToString(iwdCount);
      if (!cancelled) currentIwd = static_cast<int32_t>(i + 1);
    }
    if (cancelled) continue;  // the remaining names only move the text on
    if (ExtractIWD(scanMainPath + "/" + names[i]) == IWDResult::PermissionDenied) {
      // The mailbox holds the permission message already.
      scanTargets.reset();
      std::lock_guard<std::mutex> lock(progressMutex);
      running = false;
      return;
    }
  }
  scanTargets.reset();
  FinishScan(ScanFailureMessage(scanFailures));
}

void VornIWDUtils::FinishScan(const std::string& message) {
  std::lock_guard<std::mutex> lock(progressMutex);
  pendingCommand = kCloseIwdBoxScript;
  pendingMessage = message;
  pending = true;
  running = false;
}

IWDResult VornIWDUtils::ExtractIWD(const std::string& archivePath) {
  const std::string archiveName = FileNameOf(archivePath);
  ArchiveProblems problems(archiveName, scanFailures);
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    entriesDone = skipped = moved = 0;
  }
  // A scan shares its targets between archives; a call on its own lists the folders afresh.
  std::optional<ImageTargets> ownTargets;
  if (!scanTargets) ownTargets.emplace(rawPath);
  ImageTargets& targets = scanTargets ? *scanTargets : *ownTargets;
  ZipArchive zip;
  const ZipStatus opened = zip.Open(archivePath);
  if (opened != ZipStatus::Ok || zip.Entries().empty()) {
    const std::string problem = opened == ZipStatus::Ok ? "no entries" : ZipStatusText(opened);
    VornLog::Warningf("ExtractIWD:: '%s' failed: %s", LogSafeName(archiveName).c_str(), problem.c_str());
    problems.Note(opened == ZipStatus::Ok        ? IWDResult::NoEntries
                  : opened == ZipStatus::Damaged ? IWDResult::DirectoryDamaged
                                                 : IWDResult::NotOpened,
                  problem);
    return problems.Result();
  }
  for (const ZipEntry& entry : zip.Entries()) {
    if (cancel) break;
    if (entry.isFolder || !ContainsIgnoringCase(entry.name, ".iwi")) continue;
    const std::string shownName = LogSafeName(entry.name);
    const ZipNameCheck check = CheckEntryName(entry.name);
    if (check != ZipNameCheck::Safe) {
      VornLog::Warningf("ExtractIWD:: '%s' in '%s' refused: %s", shownName.c_str(), LogSafeName(archiveName).c_str(),
                        ZipNameCheckText(check));
      problems.Note(IWDResult::EntryFailed, "'" + shownName + "' refused (" + ZipNameCheckText(check) + ")");
      continue;
    }
    const IwiWrite written = WriteIWI(zip, entry, targets);
    {
      std::lock_guard<std::mutex> lock(progressMutex);
      if (written.code == IwiWrite::kKept) ++skipped;
      if (written.code == IwiWrite::kWritten) ++moved;
      if (written.code != IwiWrite::kNoPermission) ++entriesDone;
    }
    if (written.code == IwiWrite::kNotCreated || written.code == IwiWrite::kNoPermission) {
      VornLog::Warningf("Copy IWI Error: %s", ErrorCodeText(written.code).c_str());
    }
    if (written.code == IwiWrite::kNoPermission) {
      PostToMainThread(kCloseIwdBoxScript, kIwdPermissionMessage);
      return IWDResult::PermissionDenied;
    }
    if (written.code == IwiWrite::kBadData) {
      VornLog::Warningf("ExtractIWD:: '%s' in '%s' not copied: %s", shownName.c_str(),
                        LogSafeName(archiveName).c_str(), ZipStatusText(written.data));
      const bool badBytes = written.data == ZipStatus::BadCrc || written.data == ZipStatus::BadLength;
      problems.Note(badBytes ? IWDResult::CrcError : IWDResult::EntryFailed,
                    "'" + shownName + "' " + ZipStatusText(written.data));
    }
    if (entryHook) entryHook();
  }
  return problems.Result();
}

IwiWrite VornIWDUtils::WriteIWI(ZipArchive& zip, const ZipEntry& entry, ImageTargets& targets) {
  const ImageTargets::Target target = targets.For(entry.name);
  IwiWrite result;
  if (target.exists) {
    result.code = IwiWrite::kKept;
    return result;
  }
  int error = 0;
  const ZipStatus status = zip.ExtractToFile(entry, target.path, platform::PlaceMode::KeepExisting, &error);
  switch (status) {
    case ZipStatus::Ok:
      result.code = IwiWrite::kWritten;
      break;
    case ZipStatus::TargetExists:  // appeared since the folder was listed: kept
      result.code = IwiWrite::kKept;
      break;
    case ZipStatus::WriteFailed:
      result.code = IsPermissionError(error) ? IwiWrite::kNoPermission : IwiWrite::kNotCreated;
      return result;
    default:
      result.code = IwiWrite::kBadData;
      result.data = status;
      return result;
  }
  targets.MarkWritten(entry.name);
  return result;
}
