#pragma once
// VornUpdater: the update check, the download thread and the installation with its restart.
//
// The check runs on the caller's thread (the main thread) and blocks until the transfer ends (the
// limits bound it). A download runs on one thread of its own; it takes what it needs from the
// last reply when it starts, so a later check never changes what it reads. The GUI's parts come
// in as hooks, which the application sets.
//
// Threads: CheckForUpdates, StartDownload, CancelDownload and StopDownloadThread on the main
// thread; the hooks downloadProgress, restart and downloadFailed are called on the download thread.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "update/http_transfer.h"
#include "update/update_reply.h"

struct UpdateConfig {
  std::string checkUrl;         // the update-check endpoint; empty: no check is made
  std::string downloadPageUrl;  // fetched when the reply names no "update_url"
  std::string programPath;      // the running program's file, as it was at start-up
  std::string installFolder;    // the program's folder: "updates" and the package's files go there
  std::string digestText;       // the program file's digest, sent as "sha"
  TransferLimits checkLimits{10000, 20, 30000, {}};
  TransferLimits downloadLimits{10000, 20, 0, {}};
  std::chrono::milliseconds stopWait{2000};  // how long the stop at exit waits before it says so
};

struct UpdateHooks {
  std::function<void(const std::string& script)> runCommand;  // runs a GUI command script
  std::function<void(const std::string& text)> showMessage;   // the GUI's message box
  std::function<void(int value)> downloadProgress;            // "download_progress", 0 .. 150
  std::function<void()> restart;  // the update is installed: shut down and start the new program
  // The download or the installation failed (not when cancelled); the program is as it was.
  // reason says why, in words for the user.
  std::function<void(const std::string& reason)> downloadFailed;
};

// The update service's address: the environment's DELVIX_UPDATE_URL when set, else the address
// the program was built with (empty when none was given).
std::string UpdateServiceUrl();
// The certificate authorities the update service's certificate is checked against: the file named
// by the environment's DELVIX_UPDATE_CA_FILE when set (a service with a certificate of its own
// authority), else empty: the system's authorities.
std::string UpdateServiceCaFile();
// The download page used when a reply names no package: the service's scheme and host with
// "/downloads/?id=10&update=true"; empty when the service address is empty.
std::string DefaultDownloadPage(const std::string& serviceUrl);

// A version text that can stand in a file name: letters, digits, ".", "-" and "_" only
// (the empty text too).
bool IsPlainVersionText(const std::string& version);

class VornUpdater {
 public:
  VornUpdater(UpdateConfig config, UpdateHooks hooks);
  // Stops a running download (StopDownloadThread).
  ~VornUpdater();
  VornUpdater(const VornUpdater&) = delete;
  VornUpdater& operator=(const VornUpdater&) = delete;

  // Posts the version and digest to the update service and keeps the reply's members. A newer
  // "latest_version" runs "open update_menu;"; an equal or older one shows "No updates avalible"
  // when manual. A failed transfer logs "Failed To preform Update Check" and keeps the last reply.
  void CheckForUpdates(bool manual);

  // Starts the download thread for the last reply's package (into file, or the default package
  // name when file is empty). Nothing happens while a download runs.
  void StartDownload(const std::string& file = "");
  // Asks a running download to stop; it installs nothing. Any time, any number of times.
  void CancelDownload() { cancelRequest_ = true; }
  // Cancels a running download and waits for its thread (at exit); logs "Downloader thread
  // Stopped" when a download was ever started.
  void StopDownloadThread();

  bool DownloadRunning() const { return downloadStarted_.load(); }
  const UpdateMap& Reply() const { return reply_; }
  // The package a download of version is written to.
  std::string PackagePath(const std::string& version) const;

 private:
  struct DownloadRequest {
    std::string url;
    std::string version;
    std::string file;
  };
  bool PostCheck(std::string& replyText);
  void Download(DownloadRequest request);
  // How a download thread ended; reason: what failed, for the user.
  enum class Outcome { Installed, Cancelled, Failed };
  // Downloads and installs.
  Outcome DownloadAndInstall(const DownloadRequest& request, std::string& reason);
  void FinishDownload();

  UpdateConfig config_;
  UpdateHooks hooks_;
  UpdateMap reply_;
  std::thread downloadThread_;
  std::atomic<bool> downloadStarted_{false};
  std::atomic<bool> cancelRequest_{false};
  bool stopped_ = true;
  std::mutex doneMutex_;
  std::condition_variable doneSignal_;
  bool threadDone_ = true;
};
