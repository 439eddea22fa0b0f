#include "update/vorn_downloader.h"

#include <cstdio>
#include <fstream>

#include "core/log.h"

namespace {

constexpr long kReadSize = 10240;  // bytes handed over per write at most
constexpr long kMaxRedirects = 5;

// The state one transfer shares with libcurl's callbacks.
struct Transfer {
  CURL* curl = nullptr;
  std::ofstream* out = nullptr;
  const std::atomic<bool>* cancel = nullptr;
  const DownloadProgressFn* progress = nullptr;
  uint64_t total = 0;
  uint64_t received = 0;
  bool started = false;
  bool cancelled = false;
  const char* failure = nullptr;  // set when a callback stopped the transfer for a reason of ours
};

// Checks the answer once its headers are in: status 200 and an announced length.
bool AcceptAnswer(Transfer& transfer) {
  long status = 0;
  curl_easy_getinfo(transfer.curl, CURLINFO_RESPONSE_CODE, &status);
  if (status != 200) {
    transfer.failure = "Can't open url";
    return false;
  }
  curl_off_t length = -1;
  curl_easy_getinfo(transfer.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  if (length < 0) {
    transfer.failure = "HTTP Header Not Found";
    return false;
  }
  transfer.total = static_cast<uint64_t>(length);
  transfer.started = true;
  return true;
}

size_t WritePiece(char* data, size_t size, size_t count, void* user) {
  Transfer& transfer = *static_cast<Transfer*>(user);
  const size_t bytes = size * count;
  if (!transfer.started && !AcceptAnswer(transfer)) return 0;
  if (transfer.received + bytes > transfer.total) {
    transfer.failure = "Error occurred during download";
    return 0;
  }
  transfer.out->write(data, static_cast<std::streamsize>(bytes));
  if (!*transfer.out) {
    transfer.failure = "Error writing file";
    return 0;
  }
  transfer.received += bytes;
  if (*transfer.progress) (*transfer.progress)(transfer.total, transfer.received);
  if (transfer.cancel->load()) {
    transfer.cancelled = true;
    return 0;
  }
  return bytes;
}

// Called by libcurl while the transfer runs, also when nothing arrives: a cancel stops a waiting
// transfer too.
int WatchCancel(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  Transfer& transfer = *static_cast<Transfer*>(user);
  if (!transfer.cancel->load()) return 0;
  transfer.cancelled = true;
  return 1;
}

// The downloader's message for a transfer libcurl ended with code.
const char* FailureText(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_CONNECT:
      return "Can't connect";
    case CURLE_WRITE_ERROR:
      return "Error writing file";
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_HTTP_RETURNED_ERROR:
    case CURLE_TOO_MANY_REDIRECTS:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
      return "Can't open url";
    default:
      return "Error occurred during download";
  }
}

void SetDownloadOptions(CURL* curl, Transfer& transfer) {
  curl_easy_setopt(curl, CURLOPT_USERAGENT, "downloader");
  curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(curl, CURLOPT_MAXREDIRS, kMaxRedirects);
  curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
  curl_easy_setopt(curl, CURLOPT_BUFFERSIZE, kReadSize);
  curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, WritePiece);
  curl_easy_setopt(curl, CURLOPT_WRITEDATA, &transfer);
  curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, WatchCancel);
  curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &transfer);
}

// Runs the transfer into out; returns false when cancelled, throws on failure.
bool RunTransfer(const std::string& url, const TransferLimits& limits, Transfer& transfer) {
  char errorText[CURL_ERROR_SIZE];
  CurlHandle handle = OpenTransfer(url, limits, errorText);
  if (!handle) throw VornDownloadError("Can't open connection");
  transfer.curl = handle.get();
  SetDownloadOptions(handle.get(), transfer);
  const CURLcode code = curl_easy_perform(handle.get());
  if (transfer.cancelled) return false;
  if (code == CURLE_OK && !transfer.started && !AcceptAnswer(transfer)) throw VornDownloadError(transfer.failure);
  if (code != CURLE_OK) {
    if (errorText[0] != '\0') VornLog::Printf("VornDownloader:: %s", errorText);
    throw VornDownloadError(transfer.failure ? transfer.failure : FailureText(code));
  }
  if (transfer.received != transfer.total) throw VornDownloadError("Error occurred during download");
  return true;
}

}  // namespace

int DownloadProgressValue(uint64_t total, uint64_t done) {
  if (total == 0) return 0;
  return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * 150.0);
}

bool VornDownloader::Download(const std::string& url, const std::atomic<bool>& cancel,
                              const DownloadProgressFn& progress) {
  if (outputPath.empty()) throw VornDownloadError("Output File Not Set");
  if (!IsHttpUrl(url)) throw VornDownloadError("Must be HTTP url");
  std::ofstream out(outputPath, std::ios::out | std::ios::trunc | std::ios::binary);
  if (!out) throw VornDownloadError("Error writing file");

  Transfer transfer;
  transfer.out = &out;
  transfer.cancel = &cancel;
  transfer.progress = &progress;
  try {
    const bool complete = RunTransfer(url, limits_, transfer);
    out.close();
    if (!complete) {
      std::remove(outputPath.c_str());
      return false;
    }
    if (!out) throw VornDownloadError("Error writing file");
    return true;
  } catch (...) {
    out.close();
    std::remove(outputPath.c_str());
    throw;
  }
}
