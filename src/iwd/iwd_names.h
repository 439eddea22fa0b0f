#pragma once
// Name rules of the IWD image tool: archives and images are recognised by ".iwd" and ".iwi" in
// their names whatever the case (the games come from a file system that ignores case), and folders
// are visited in one fixed, case-insensitive order.
#include <string>
#include <string_view>

// True when text contains part, ASCII case ignored.
bool ContainsIgnoringCase(std::string_view text, std::string_view part);
// ASCII lower case of text.
std::string LowerCase(std::string_view text);
// The listing order: case-insensitive, then byte order so that the order is total.
bool ListingOrder(const std::string& a, const std::string& b);
// name for a log line: control bytes shown as "?", at most 300 bytes ("..." after a cut), so a
// hostile name can neither forge a log line nor flood the log.
std::string LogSafeName(std::string_view name);
