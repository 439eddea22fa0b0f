// Desktop notifications through libnotify, on the desktop thread.
#include <libnotify/notify.h>

#include <atomic>

#include "platform/desktop_notification.h"
#include "platform/desktop_thread.h"

namespace platform {

namespace {

// Notices handed to the desktop thread and not yet sent. Bounded: a server that hangs (D-Bus
// waits for its answer) must not make notices pile up.
constexpr int kMaxWaiting = 4;
std::atomic<int> gWaiting{0};

// Desktop thread: libnotify on the session bus. A session bus that goes away must not end the
// program (GLib's shared connection would), only its notices.
bool Init() {
  if (notify_is_initted()) return true;
  if (GDBusConnection* bus = g_bus_get_sync(G_BUS_TYPE_SESSION, nullptr, nullptr)) {
    g_dbus_connection_set_exit_on_close(bus, FALSE);
    g_object_unref(bus);
  }
  return notify_init("Delvix");
}

// Desktop thread.
void Send(const std::string& title, const std::string& text, int timeoutMs) {
  if (!Init()) return;
  NotifyNotification* notice = notify_notification_new(title.c_str(), text.c_str(), "dialog-information");
  notify_notification_set_timeout(notice, timeoutMs);
  notify_notification_show(notice, nullptr);  // no server: the notice is lost, as a balloon would be
  g_object_unref(notice);
}

}  // namespace

bool ShowDesktopNotification(const std::string& title, const std::string& text, int timeoutMs) {
  if (gWaiting.fetch_add(1) >= kMaxWaiting) {
    gWaiting.fetch_sub(1);
    return false;
  }
  const bool queued = PostToDesktopThread([title, text, timeoutMs] {
    Send(title, text, timeoutMs);
    gWaiting.fetch_sub(1);
  });
  if (!queued) gWaiting.fetch_sub(1);
  return queued;
}

}  // namespace platform
