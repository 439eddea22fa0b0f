#pragma once
// A desktop of a test's own around the program's tray and notifications: a private D-Bus session
// with a stand-in notification server that records every notice, and an XEmbed tray host
// (trayer) on the test's X server. Everything ends with the object.
//
// Start the bus before anything in the process talks to D-Bus: the desktop libraries keep their
// first connection for the life of the process.
#include <string>
#include <vector>

namespace testing_support {

class DesktopSession {
 public:
  DesktopSession() = default;
  ~DesktopSession();
  DesktopSession(const DesktopSession&) = delete;
  DesktopSession& operator=(const DesktopSession&) = delete;

  // A private session bus (DBUS_SESSION_BUS_ADDRESS of this process points at it) with the
  // notification server on it; recordPath receives one JSON line per notice.
  bool StartBus(const std::string& recordPath, std::string& error);
  // The notices recorded so far, one JSON text each.
  std::vector<std::string> Notices() const;

  // trayer on DISPLAY, as a panel at the bottom that reserves its strip of the screen; waits until
  // it is up.
  bool StartTrayHost(std::string& error);
  void StopTrayHost();

 private:
  int busPid_ = -1;
  int serverPid_ = -1;
  int trayPid_ = -1;
  std::string recordPath_;
};

}  // namespace testing_support
