#include "update/vorn_updater.h"

#include <cstdio>

#include "core/log.h"
#include "platform/files.h"
#include "update/package_installer.h"
#include "update/vorn_downloader.h"

namespace {

size_t CollectReply(char* data, size_t size, size_t count, void* reply) {
  return AppendToResponse(data, size, count, static_cast<std::string*>(reply));
}

void LogDownloaderError(const std::string& message) { VornLog::Warningf("VornDownloader:: %s", message.c_str()); }

}  // namespace

VornUpdater::VornUpdater(UpdateConfig config, UpdateHooks hooks)
    : config_(std::move(config)), hooks_(std::move(hooks)) {}

VornUpdater::~VornUpdater() {
  StopDownloadThread();
  if (downloadThread_.joinable()) downloadThread_.join();
}

// ---- Update check -----------------------------------------------------------------------------

bool VornUpdater::PostCheck(std::string& replyText) {
  if (!IsHttpUrl(config_.checkUrl)) return false;
  char errorText[CURL_ERROR_SIZE];
  CurlHandle handle = OpenTransfer(config_.checkUrl, config_.checkLimits, errorText);
  if (!handle) return false;
  const std::string body = BuildUpdateQuery(config_.digestText);
  curl_easy_setopt(handle.get(), CURLOPT_POSTFIELDS, body.c_str());
  curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, CollectReply);
  curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &replyText);
  const CURLcode code = curl_easy_perform(handle.get());
  if (code != CURLE_OK && errorText[0] != '\0') VornLog::Printf("Update check: %s", errorText);
  return code == CURLE_OK;
}

void VornUpdater::CheckForUpdates(bool manual) {
  if (config_.checkUrl.empty()) {
    VornLog::Printf("Update check skipped: no update service address");
    return;
  }
  std::string replyText;
  if (!PostCheck(replyText)) {
    VornLog::Warningf("Failed To preform Update Check");
    return;
  }
  reply_ = ParseUpdateReply(replyText);
  switch (CompareLatestVersion(reply_)) {
    case VersionVerdict::Newer:
      if (hooks_.runCommand) hooks_.runCommand("open update_menu;");
      break;
    case VersionVerdict::NotNewer:
      if (manual && hooks_.showMessage) hooks_.showMessage("No updates avalible");
      break;
    case VersionVerdict::Unknown:
      break;
  }
}

// ---- Download thread --------------------------------------------------------------------------

std::string VornUpdater::PackagePath(const std::string& version) const {
  return config_.installFolder + "/updates/VornDelvix_update_" + version + ".rar";
}

void VornUpdater::StartDownload(const std::string& file) {
  if (downloadStarted_.exchange(true)) return;
  if (downloadThread_.joinable()) downloadThread_.join();  // the previous download, which has ended

  DownloadRequest request;
  const auto url = reply_.find("update_url");
  const auto version = reply_.find("latest_version");
  request.url = url != reply_.end() ? url->second : std::string();
  request.version = version != reply_.end() ? version->second : std::string();
  request.file = file;

  cancelRequest_ = false;
  {
    std::lock_guard<std::mutex> lock(doneMutex_);
    threadDone_ = false;
  }
  downloadThread_ = std::thread(&VornUpdater::Download, this, std::move(request));
  stopped_ = false;
}

VornUpdater::Outcome VornUpdater::DownloadAndInstall(const DownloadRequest& request, std::string& reason) {
  if (!platform::CreateFolders(config_.installFolder + "/updates")) {
    VornLog::Printf("Failed to create directory 'updates'");
    reason = "The folder 'updates' could not be created.";
    return Outcome::Failed;
  }
  if (!IsPlainVersionText(request.version)) {
    LogDownloaderError("Version text not usable in a file name");
    reason = "The update service named a version that is not usable.";
    return Outcome::Failed;
  }
  VornDownloader downloader(config_.downloadLimits);
  downloader.outputPath = request.file.empty() ? PackagePath(request.version) : request.file;
  const std::string url = request.url.empty() ? config_.downloadPageUrl : request.url;
  const DownloadProgressFn progress = [this](uint64_t total, uint64_t done) {
    if (hooks_.downloadProgress) hooks_.downloadProgress(DownloadProgressValue(total, done));
  };
  try {
    if (!downloader.Download(url, cancelRequest_, progress)) {
      VornLog::Printf("Download cancelled");
      return Outcome::Cancelled;
    }
  } catch (const VornDownloadError& error) {
    LogDownloaderError(error.what());
    reason = std::string("The download failed (") + error.what() + ").";
    return Outcome::Failed;
  }
  VornLog::Printf("Downloaded Update");
  Outcome outcome = Outcome::Cancelled;
  if (cancelRequest_) {
    VornLog::Printf("Download cancelled");
  } else if (InstallUpdate(downloader.outputPath, config_.installFolder, config_.programPath)) {
    return Outcome::Installed;
  } else {
    reason = "The downloaded package could not be installed.";
    outcome = Outcome::Failed;
  }
  std::remove(downloader.outputPath.c_str());
  return outcome;
}

void VornUpdater::Download(DownloadRequest request) {
  std::string reason;
  switch (DownloadAndInstall(request, reason)) {
    case Outcome::Installed:
      if (hooks_.restart) hooks_.restart();
      break;
    case Outcome::Failed:
      // A failure caused by the stop at exit is no news for the user.
      if (!cancelRequest_ && hooks_.downloadFailed) hooks_.downloadFailed(reason);
      break;
    case Outcome::Cancelled: break;
  }
  FinishDownload();
}

void VornUpdater::FinishDownload() {
  downloadStarted_ = false;
  std::lock_guard<std::mutex> lock(doneMutex_);
  threadDone_ = true;
  doneSignal_.notify_all();
}

void VornUpdater::StopDownloadThread() {
  if (stopped_) return;
  cancelRequest_ = true;
  bool done;
  {
    std::unique_lock<std::mutex> lock(doneMutex_);
    done = doneSignal_.wait_for(lock, config_.stopWait, [this] { return threadDone_; });
  }
  if (!done) VornLog::Warningf("Downloader thread is still finishing; waiting for it");
  if (downloadThread_.joinable()) downloadThread_.join();
  VornLog::Printf("Downloader thread Stopped");
  stopped_ = true;
}
