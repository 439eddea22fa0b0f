#pragma once
// The update check's request body and reply: the form sent to the update service and the JSON
// object it answers with, kept member by member as text.
#include <cstddef>
#include <map>
#include <string>

// Members of the last update-check reply, name to value text. Keys the program reads:
// "latest_version" and "update_url".
using UpdateMap = std::map<std::string, std::string>;

// The running version as the request sends it and as the reply's version is compared with.
inline constexpr const char* kUpdateVersionText = "1.041";
inline constexpr float kUpdateVersion = 1.041f;

// text percent-encoded as libcurl encodes form values (letters, digits and "-._~" stay).
std::string UrlEscape(const std::string& text);

// The request body: "cur_version=" + the escaped version + "&sha=" + the escaped digest text.
std::string BuildUpdateQuery(const std::string& digestText);

// libcurl write callback: appends size * count bytes to *reply and returns that number; with a
// null reply appends nothing and returns 0, which fails the transfer.
size_t AppendToResponse(char* data, size_t size, size_t count, std::string* reply);

// The reply's members as text. A reply that does not parse, or whose root is not an object (an
// array, a plain value), gives an empty map. Strings stay as they are, null becomes "", true and
// false "true" and "false", numbers their JSON text as JsonCpp writes it; a member that is an
// array or an object has no text and is left out with a warning.
UpdateMap ParseUpdateReply(const std::string& reply);

enum class VersionVerdict { Newer, NotNewer, Unknown };

// Compares the map's "latest_version" with the running version: the number at the start of the
// text (leading blanks skipped, the rest ignored) read as a float. Newer only when strictly
// greater; Unknown when the member is missing or does not begin with a number.
VersionVerdict CompareLatestVersion(const UpdateMap& reply);
