// The IWD image tool's state on the main thread: folder checks, starting and stopping the threads,
// the mailbox, the progress snapshot and the frame's step.
#include "iwd/iwd_utils.h"

#include "core/log.h"
#include "core/paths.h"
#include "iwd/image_targets.h"
#include "iwd/iwd_box.h"
#include "platform/files.h"

namespace {

// The folder at path as it exists on disk, whatever its case; path itself when there is none.
std::string FolderOnDisk(const std::string& path) {
  if (platform::IsDirectory(path)) return path;
  const std::string onDisk = platform::ResolvePathCaseInsensitive(path);
  return !onDisk.empty() && platform::IsDirectory(onDisk) ? onDisk : path;
}

template <class Fn, class... Args>
void Call(const Fn& fn, const Args&... args) {
  if (fn) fn(args...);
}

}  // namespace

VornIWDUtils::VornIWDUtils() = default;

VornIWDUtils::~VornIWDUtils() { Stop(); }

void VornIWDUtils::SetGuiHooks(IWDGuiHooks hooks) { gui = std::move(hooks); }

void VornIWDUtils::SetPath(const std::string& newRoot) {
  StopCount();
  root = newRoot;
  std::lock_guard<std::mutex> lock(progressMutex);
  pathsValid = false;
  scanAvailable = false;
}

void VornIWDUtils::ReportImageCheckError(const std::string& text) {
  VornLog::Warning(text);
  Call(gui.showError, text);
}

bool VornIWDUtils::CheckFolders() {
  StopCount();  // a new check supersedes a count still running
  if (root.empty() || !platform::IsDirectory(root)) {
    ReportImageCheckError("CheckForImages:: in-valid Path");
    return false;
  }
  EnsureTrailingBackslash(root);
  rawPath = FolderOnDisk(root + "raw");
  rawImagesPath = FolderOnDisk(rawPath + "/images");
  mainPath = FolderOnDisk(root + "main");
  if (!platform::IsDirectory(rawImagesPath) || !platform::IsDirectory(mainPath)) {
    ReportImageCheckError("CheckForImages:: Could not find 'main' / 'raw/images'");
    return false;
  }
  return true;
}

void VornIWDUtils::CheckForImages() {
  if (!CheckFolders()) return;
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    pathsValid = true;
    scanAvailable = true;
  }
  Call(gui.execCmd, std::string(kOpenIwdBoxScript));
}

void VornIWDUtils::CheckForImagesAndCount() {
  if (!CheckFolders()) return;
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    pathsValid = true;
  }
  StartImageCount();
}

bool VornIWDUtils::RunScan() {
  {
    std::lock_guard<std::mutex> lock(progressMutex);
    if (!pathsValid || !scanAvailable || running) return false;
    running = true;
    scanAvailable = false;
    currentIwd = 0;
    iwdCount = 1;
    entriesDone = skipped = moved = 0;
    progressText.clear();
  }
  if (scanThread.joinable()) scanThread.join();  // an earlier scan that has ended
  cancel = false;
  scanRawPath = rawPath;
  scanMainPath = mainPath;
  scanFailures.clear();
  scanThread = std::thread(&VornIWDUtils::Scan, this);
  return true;
}

void VornIWDUtils::RequestCancel() { cancel = true; }

void VornIWDUtils::StopCount() {
  countStop = true;
  if (countThread.joinable()) countThread.join();
  countStop = false;
}

void VornIWDUtils::Stop() {
  cancel = true;
  StopCount();
  if (scanThread.joinable()) scanThread.join();
}

void VornIWDUtils::PostToMainThread(const std::string& command, const std::string& message) {
  std::lock_guard<std::mutex> lock(progressMutex);
  pendingCommand = command;
  pendingMessage = message;
  pending = true;
}

bool VornIWDUtils::TakePending(std::string& command, std::string& message) {
  std::lock_guard<std::mutex> lock(progressMutex);
  if (!pending) return false;
  pending = false;
  command = pendingCommand;
  message = pendingMessage;
  return true;
}

std::string VornIWDUtils::GetPendingCommand() const {
  std::lock_guard<std::mutex> lock(progressMutex);
  return pendingCommand;
}

std::string VornIWDUtils::GetPendingMessage() const {
  std::lock_guard<std::mutex> lock(progressMutex);
  return pendingMessage;
}

IWDProgress VornIWDUtils::GetProgress() const {
  std::lock_guard<std::mutex> lock(progressMutex);
  return {progressText, entriesDone, skipped, moved, currentIwd, iwdCount, running};
}

bool VornIWDUtils::PathsValid() const {
  std::lock_guard<std::mutex> lock(progressMutex);
  return pathsValid;
}

bool VornIWDUtils::ScanAvailable() const {
  std::lock_guard<std::mutex> lock(progressMutex);
  return scanAvailable;
}

void VornIWDUtils::FrameUpdate() {
  const IWDProgress progress = GetProgress();
  if (progress.running) {
    Call(gui.setTextValue, std::string(kIwdProgressTextKey), progress.progressText);
    Call(gui.setTextValue, std::string(kIwiProgressTextKey), IwiProgressText(progress.moved, progress.skipped));
    Call(gui.setProgressValue, std::string(kIwdScanProgressKey),
         ScanProgressValue(progress.currentIwd, progress.iwdCount));
    return;
  }
  std::string command, message;
  if (!TakePending(command, message)) return;
  if (!message.empty()) Call(gui.showError, message);
  Call(gui.execCmd, command);
}
