#pragma once
// Short notices through the desktop's notification service (freedesktop notifications over
// D-Bus), shown by the desktop's own notification server: the program's tray balloons.
//
// Notices are handed to the desktop thread, which talks to the server. While a few are still
// waiting there (a slow or missing server), further ones are dropped rather than queued without
// bound. Any thread.
#include <string>

namespace platform {

// Queues the notice (title, body text, information icon) to stay for timeoutMs. Texts are
// passed as UTF-8; the caller cuts them to size. False when it was dropped: the desktop thread
// does not run or too many notices wait.
bool ShowDesktopNotification(const std::string& title, const std::string& text, int timeoutMs);

}  // namespace platform
