#include "update/update_reply.h"

#include <curl/curl.h>
#include <json/json.h>

#include <memory>

#include "core/log.h"
#include "core/strings.h"

std::string UrlEscape(const std::string& text) {
  char* escaped = curl_easy_escape(nullptr, text.c_str(), static_cast<int>(text.size()));
  if (!escaped) return {};
  std::string result(escaped);
  curl_free(escaped);
  return result;
}

std::string BuildUpdateQuery(const std::string& digestText) {
  return "cur_version=" + UrlEscape(kUpdateVersionText) + "&sha=" + UrlEscape(digestText);
}

size_t AppendToResponse(char* data, size_t size, size_t count, std::string* reply) {
  if (!reply) return 0;
  reply->append(data, size * count);
  return size * count;
}

UpdateMap ParseUpdateReply(const std::string& reply) {
  UpdateMap members;
  Json::CharReaderBuilder builder;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value root;
  std::string errors;
  if (!reader->parse(reply.data(), reply.data() + reply.size(), &root, &errors)) return members;
  if (!root.isObject()) return members;
  for (auto member = root.begin(); member != root.end(); ++member) {
    const std::string name = member.name();
    if (member->isArray() || member->isObject()) {
      VornLog::Warningf("Update reply member '%s' is not text; ignored", name.c_str());
      continue;
    }
    members[name] = member->asString();
  }
  return members;
}

VersionVerdict CompareLatestVersion(const UpdateMap& reply) {
  const auto latest = reply.find("latest_version");
  if (latest == reply.end()) return VersionVerdict::Unknown;
  float version = 0.0f;
  if (!from_string(version, latest->second, std::dec)) return VersionVerdict::Unknown;
  return kUpdateVersion < version ? VersionVerdict::Newer : VersionVerdict::NotNewer;
}
