#pragma once
// VornDownloader: fetches one file over HTTP or HTTPS into outputPath, reporting progress and
// honouring a cancel flag. A download is complete only when the server answered 200 with a
// Content-Length and exactly that many bytes arrived and were written; anything else throws
// VornDownloadError and leaves no file behind.
#include <atomic>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "update/http_transfer.h"

// A failed download; what() is one of the downloader's messages ("Can't open url", ...).
class VornDownloadError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Progress of a download: the announced length and the bytes received so far.
using DownloadProgressFn = std::function<void(uint64_t total, uint64_t done)>;

// The "download_progress" value of done of total bytes: (int)(done / total * 150.0) in double
// precision, truncated; 0 when total is 0.
int DownloadProgressValue(uint64_t total, uint64_t done);

class VornDownloader {
 public:
  explicit VornDownloader(TransferLimits limits = {}) : limits_(std::move(limits)) {}

  // Downloads url into outputPath, replacing what was there. progress is called after every piece
  // written; cancel is read after every piece and while the transfer waits. Returns true when the
  // file is complete, false when cancel stopped it (the partial file removed). Throws
  // VornDownloadError: "Output File Not Set", "Must be HTTP url", "Error writing file",
  // "Can't open connection", "Can't connect", "Can't open url", "HTTP Header Not Found",
  // "Error occurred during download"; the partial file is removed first.
  bool Download(const std::string& url, const std::atomic<bool>& cancel, const DownloadProgressFn& progress);

  std::string outputPath;

 private:
  TransferLimits limits_;
};
