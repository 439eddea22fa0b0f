#include <cstdlib>
#include <string>

#include "update/vorn_updater.h"

#ifndef DELVIX_UPDATE_URL
#define DELVIX_UPDATE_URL ""
#endif

std::string UpdateServiceUrl() {
  if (const char* fromEnvironment = std::getenv("DELVIX_UPDATE_URL")) return fromEnvironment;
  return DELVIX_UPDATE_URL;
}

std::string UpdateServiceCaFile() {
  const char* fromEnvironment = std::getenv("DELVIX_UPDATE_CA_FILE");
  return fromEnvironment ? fromEnvironment : "";
}

std::string DefaultDownloadPage(const std::string& serviceUrl) {
  const size_t scheme = serviceUrl.find("://");
  if (scheme == std::string::npos) return {};
  const size_t pathStart = serviceUrl.find_first_of("/?#", scheme + 3);
  return serviceUrl.substr(0, pathStart) + "/downloads/?id=10&update=true";
}

bool IsPlainVersionText(const std::string& version) {
  for (unsigned char c : version) {
    const bool plain = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
                       c == '-' || c == '_';
    if (!plain) return false;
  }
  return true;
}
