#include "update/http_transfer.h"

#include <strings.h>

#include <mutex>

namespace {

void InitLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_ALL); });
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  const size_t length = std::char_traits<char>::length(prefix);
  return text.size() >= length && ::strncasecmp(text.c_str(), prefix, length) == 0;
}

}  // namespace

void HttpLibraryStart() { curl_global_init(CURL_GLOBAL_ALL); }
void HttpLibraryStop() { curl_global_cleanup(); }

bool IsHttpUrl(const std::string& url) {
  return StartsWithNoCase(url, "http://") || StartsWithNoCase(url, "https://");
}

CurlHandle OpenTransfer(const std::string& url, const TransferLimits& limits, char* errorBuffer) {
  InitLibraryOnce();
  CurlHandle handle(curl_easy_init());
  if (!handle) return handle;
  CURL* curl = handle.get();
  errorBuffer[0] = '\0';
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!limits.caFile.empty()) curl_easy_setopt(curl, CURLOPT_CAINFO, limits.caFile.c_str());
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
  curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, limits.totalTimeoutMs);
  return handle;
}
