#pragma once
// What the update check and the download share when they talk HTTP through libcurl: the accepted
// addresses, TLS verification of peer and host, and the time-outs that keep a dead or stalling
// server from holding the program.
#include <curl/curl.h>

#include <memory>
#include <string>

struct TransferLimits {
  long connectTimeoutMs = 10000;  // time to reach the server (TLS handshake included)
  long stallSeconds = 20;         // abort when fewer than one byte a second arrived for this long
  long totalTimeoutMs = 0;        // whole transfer; 0: no limit beyond the stall rule
  std::string caFile;             // certificate authorities to trust; empty: the system's own
};

// libcurl's global start and end for the program's run, paired; counted by libcurl, so transfers
// made outside a run (which start the library on first use) keep working.
void HttpLibraryStart();
void HttpLibraryStop();

// True for addresses beginning with "http://" or "https://" (scheme in any case).
bool IsHttpUrl(const std::string& url);

struct CurlHandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using CurlHandle = std::unique_ptr<CURL, CurlHandleDeleter>;

// A new easy handle for url with the shared options set: only http and https (redirects too),
// peer and host verified, the limits' time-outs, no signals. Null when libcurl gives no handle.
// errorBuffer (CURL_ERROR_SIZE bytes) receives libcurl's description of a failure.
CurlHandle OpenTransfer(const std::string& url, const TransferLimits& limits, char* errorBuffer);
